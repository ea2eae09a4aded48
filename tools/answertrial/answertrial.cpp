// The developers' trial of the answer reader: reads a set of answer rooms written by
// tools/trainreader/answerset.py with digits the reader never learned from, and reports for
// each kind of room how many were read exactly as written, how many got a wrong verdict and
// how many were left unsure, and how long a room takes. OpenCV core, imgproc and dnn only.
//   qrta-answer-trial MODEL.onnx SET-FOLDER [MARGIN]  the figures at that margin
//   qrta-answer-trial MODEL.onnx SET-FOLDER --tune    wrong verdicts against unsure rooms
//                                                     for a range of margins
//   qrta-answer-trial MODEL.onnx SET-FOLDER --doubts  why right answers read exactly were
//                                                     left unsure: doubtful ink, or a rival
//                                                     too close (how close)
#include "answerrecogniser.h"

#include "quiz/inkweighing.h"

#include <opencv2/core/utility.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Room
{
    std::string file, written, expected, kind;
    Verdict truth = Verdict::Unsure;
};

struct Tally
{
    int rooms = 0, exact = 0, wrongVerdicts = 0, unsure = 0;
};

std::vector<uchar> fileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// A binary PGM as OpenCV writes it (P5, 8 bits); empty if it is not one.
cv::Mat readPgm(const std::string &path)
{
    const std::vector<uchar> bytes = fileBytes(path);
    size_t at = 0;
    auto field = [&]() {
        std::string text;
        while (at < bytes.size()) {
            const char c = char(bytes[at]);
            if (c == '#') {
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++at;
                if (!text.empty())
                    return text;
            } else {
                text += c;
                ++at;
            }
        }
        return text;
    };
    if (field() != "P5")
        return {};
    const int width = std::stoi(field()), height = std::stoi(field());
    if (std::stoi(field()) != 255 || bytes.size() - at < size_t(width) * height)
        return {};
    return cv::Mat(height, width, CV_8UC1, const_cast<uchar *>(bytes.data() + at)).clone();
}

std::vector<Room> readSet(const std::string &folder)
{
    std::ifstream in(folder + "/rooms.tsv");
    std::vector<Room> rooms;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Room room;
        std::string truth;
        std::getline(fields, room.file, '\t');
        std::getline(fields, room.written, '\t');
        std::getline(fields, room.expected, '\t');
        std::getline(fields, truth, '\t');
        std::getline(fields, room.kind, '\t');
        room.truth = truth == "right" ? Verdict::Right
            : truth == "wrong"        ? Verdict::Wrong
                                      : Verdict::Unsure;
        rooms.push_back(room);
    }
    return rooms;
}

// Whether the C++ view of the rooms is the one the model was trained on: the set holds the
// trainer's view of every kParityEvery-th room.
constexpr size_t kParityEvery = 16;

void checkInputs(const std::string &folder, const std::vector<cv::Mat> &images)
{
    const std::vector<uchar> bytes = fileBytes(folder + "/inputs.f32");
    const size_t each = size_t(AnswerRecogniser::kInputHeight) * AnswerRecogniser::kInputWidth;
    const size_t count = bytes.size() / (each * sizeof(float));
    double worst = 0;
    int differing = 0;
    for (size_t i = 0; i < count && i * kParityEvery < images.size(); ++i) {
        const cv::Mat theirs(AnswerRecogniser::kInputHeight, AnswerRecogniser::kInputWidth, CV_32F,
            const_cast<uchar *>(bytes.data() + i * each * sizeof(float)));
        cv::Mat ours = AnswerRecogniser::networkInput(images[i * kParityEvery]);
        if (ours.empty())
            ours = cv::Mat::zeros(theirs.size(), CV_32F);
        const double gap = cv::norm(ours, theirs, cv::NORM_INF);
        worst = std::max(worst, gap);
        differing += gap > 1e-3;
    }
    std::printf("view of %zu rooms: %d differ from the trainer's, by %.2g at most\n", count,
        differing, worst);
}

bool isAnswer(const Room &room)
{
    return room.kind.rfind("answer", 0) == 0;
}

Verdict verdictAt(const InkWeighing &ink, const Room &room, double margin)
{
    const QString expected = QString::fromStdString(room.expected);
    const ReadAnswer answer
        = answerFromInk(ink, expected, margin, std::max(margin, AnswerRecogniser::kWrongMargin));
    if (!answer.sure)
        return Verdict::Unsure;
    return answer.digits == expected ? Verdict::Right : Verdict::Wrong;
}

void tally(Tally &t, const Room &room, const InkWeighing &ink, Verdict verdict)
{
    ++t.rooms;
    t.exact += ink.best.toStdString() == room.written;
    t.unsure += verdict == Verdict::Unsure;
    t.wrongVerdicts += verdict != Verdict::Unsure && verdict != room.truth;
}

void printTally(const std::string &name, const Tally &t)
{
    const double n = std::max(1, t.rooms) / 100.0;
    std::printf("  %-22s %5d rooms: read exactly %5.1f %%, wrong verdicts %5.2f %%, unsure "
                "%5.1f %%\n",
        name.c_str(), t.rooms, t.exact / n, t.wrongVerdicts / n, t.unsure / n);
}

const char *word(Verdict v)
{
    return v == Verdict::Right ? "right" : v == Verdict::Wrong ? "wrong" : "unsure";
}

// The right answers read exactly that were left unsure, each with why: the ink was doubtful
// (the room is named, to look at), or the likeliest other reading came within the margin; and
// how those margins spread, in half steps.
void printDoubts(const std::vector<Room> &rooms, const std::vector<InkWeighing> &readings)
{
    int readRight = 0, doubtful = 0, close = 0;
    std::map<int, int> closeness;
    for (size_t i = 0; i < rooms.size(); ++i) {
        const Room &room = rooms[i];
        const InkWeighing &ink = readings[i];
        if (!isAnswer(room) || room.written != room.expected
            || ink.best.toStdString() != room.written)
            continue;
        ++readRight;
        if (verdictAt(ink, room, AnswerRecogniser::kMargin) != Verdict::Unsure)
            continue;
        if (ink.doubtful) {
            ++doubtful;
            std::printf("    %s %-18s %-5s doubtful ink\n", room.file.c_str(), room.kind.c_str(),
                room.written.c_str());
            continue;
        }
        ++close;
        const double by = ink.expectedScore - ink.rivalScore;
        ++closeness[int(std::floor(2 * by))];
        std::printf("    %s %-18s %-5s rival %-5s by %.1f\n", room.file.c_str(), room.kind.c_str(),
            room.written.c_str(), ink.rival.toStdString().c_str(), by);
    }
    std::printf(
        "right answers read exactly: %d; unsure for doubtful ink %d, for a close rival %d\n",
        readRight, doubtful, close);
    for (const auto &[half, count] : closeness)
        std::printf("  rival behind by %.1f to %.1f: %d\n", half / 2.0, half / 2.0 + 0.5, count);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(
            stderr, "usage: qrta-answer-trial MODEL.onnx SET-FOLDER [--tune|--doubts|MARGIN]\n");
        return 2;
    }
    const std::string folder = argv[2];
    const bool tune = argc > 3 && std::string(argv[3]) == "--tune";
    const bool doubts = argc > 3 && std::string(argv[3]) == "--doubts";
    const double margin
        = argc > 3 && !tune && !doubts ? std::stod(argv[3]) : AnswerRecogniser::kMargin;
    // One core, as a parent's laptop gives a page while the window stays responsive.
    cv::setNumThreads(1);
    const AnswerRecogniser reader(fileBytes(argv[1]));
    const std::vector<Room> rooms = readSet(folder);
    std::vector<cv::Mat> images;
    for (const Room &room : rooms) {
        images.push_back(readPgm(folder + "/" + room.file));
        if (images.back().empty()) {
            std::fprintf(stderr, "cannot read %s/%s\n", folder.c_str(), room.file.c_str());
            return 2;
        }
    }
    if (rooms.empty()) {
        std::fprintf(stderr, "no rooms in %s/rooms.tsv\n", folder.c_str());
        return 2;
    }
    checkInputs(folder, images);

    std::vector<InkWeighing> readings;
    double seconds = 0;
    // The network's first run sets it up.
    reader.weigh(images[0], QString::fromStdString(rooms[0].expected));
    for (size_t i = 0; i < rooms.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        readings.push_back(reader.weigh(images[i], QString::fromStdString(rooms[i].expected)));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    if (doubts) {
        printDoubts(rooms, readings);
        return 0;
    }
    if (tune) {
        // Wrong verdicts and unsure rooms among the answers, and sure verdicts on rooms that
        // must stay unsure (crossed out, a stray stroke, blank), as the margins grow.
        auto row = [&](double m) {
            Tally answers, others;
            for (size_t i = 0; i < rooms.size(); ++i) {
                const Verdict v = verdictAt(readings[i], rooms[i], m);
                const bool mustDoubt = rooms[i].truth == Verdict::Unsure;
                if (isAnswer(rooms[i]) || mustDoubt)
                    tally(mustDoubt ? others : answers, rooms[i], readings[i], v);
            }
            std::printf("%8.2f   %8.2f %%  %8.1f %%   %5d of %d\n", m,
                100.0 * answers.wrongVerdicts / answers.rooms,
                100.0 * answers.unsure / answers.rooms, others.wrongVerdicts, others.rooms);
        };
        std::printf("  margin   wrong verdicts    unsure   sure where it must not be\n");
        for (const double m : { 0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 5.0, 6.0, 8.0 })
            row(m);
        return 0;
    }

    std::map<std::string, Tally> kinds;
    Tally answers;
    std::vector<std::string> failures;
    for (size_t i = 0; i < rooms.size(); ++i) {
        const Room &room = rooms[i];
        const InkWeighing &reading = readings[i];
        const Verdict verdict = verdictAt(reading, room, margin);
        tally(kinds[room.kind], room, reading, verdict);
        if (isAnswer(room))
            tally(answers, room, reading, verdict);
        const bool wrongVerdict = verdict != Verdict::Unsure && verdict != room.truth;
        const std::string best = reading.best.toStdString(), rival = reading.rival.toStdString();
        if (wrongVerdict || (isAnswer(room) && best != room.written)) {
            char line[200];
            std::snprintf(line, sizeof line,
                "%s %-8s wrote %-5s expected %-5s read %-5s (rival %-5s by %5.1f)%s %s%s",
                room.file.c_str(), room.kind.c_str(), room.written.c_str(), room.expected.c_str(),
                best.c_str(), rival.c_str(), reading.expectedScore - reading.rivalScore,
                reading.doubtful ? " doubtful" : "", word(verdict),
                wrongVerdict ? "  WRONG VERDICT" : "");
            failures.push_back(line);
        }
    }
    std::printf("%zu rooms, %.2f ms a room on one core (its view, the network and the verdict); "
                "margin %.2f\n",
        rooms.size(), 1000 * seconds / rooms.size(), margin);
    printTally("answers", answers);
    for (const auto &[kind, t] : kinds)
        printTally(kind, t);
    for (const std::string &failure : failures)
        std::printf("    %s\n", failure.c_str());
    return 0;
}
