#include "answerrecogniser.h"

#include <QFile>

#include <opencv2/dnn.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>

namespace {

// The network's input and output, as tools/trainreader/trainanswers.py trains it: the view
// of a room below must stay the same computation as reader_input() in answerink.py.
constexpr int kInkHeight = 24;
constexpr int kInkTop = 4;
constexpr int kMaxInkWidth = 120;
constexpr int kFrame = 4; // input columns for each column of output
constexpr int kFrames = AnswerRecogniser::kInputWidth / kFrame;
constexpr char kAlphabet[] = "0123456789X"; // class 0 is no symbol (CTC's blank)
constexpr int kClasses = sizeof(kAlphabet);

// Ink lies this much darker than the paper around it, at the least; a pencil's grey on white
// paper lies 60 and more below it, a phone photo's noise within 15.
constexpr double kMinContrast = 28;
constexpr double kMaxContrast = 70;
constexpr double kFaintFloor = 14;
constexpr double kInkFloor = 20;
constexpr double kMaxInkShare = 0.35;

// A piece of ink this wide, in the height of the writing, is two digits at the least. Children
// write a 2, a 0 or a 5 with its flag up to 1.9 heights wide, and two digits written touching
// start at about 1.3. On the tuning sheets of scripts/scan-trial 1.3 left 6.2 % of the answers
// unsure, 1.6 left 5.4 % and 2.0 no fewer, none with a wrong verdict; on the tuning rooms of
// qrta-answer-trial 1.6 let one crossed-out answer of 150 more be read sure. 1.6.
constexpr double kTwoDigitsWide = 1.6;
// Pieces of ink this far apart, in the height of the writing, are apart; a symbol read this
// far beside a group of ink may be its reading.
constexpr double kApart = 0.1;
constexpr double kBeside = 0.15;
constexpr int kBeam = 12;
// The network looks at the ink shifted by these input columns, a reading's probability the
// average over the looks. On the tuning sheets of scripts/scan-trial a second look half a
// column over (2) read three answers of 2,640 more exactly and left five fewer unsure at the
// same wrong verdicts, for a tenth more time a page: within what the trial varies by. One look.
constexpr int kShifts[] = { 0 };

constexpr double kNever = -std::numeric_limits<double>::infinity();

struct Piece
{
    double left = 0, right = 0; // input columns
    double width = 0; // in the height of the writing, before any squeezing to fit the input
};

struct View
{
    cv::Mat input;
    std::vector<Piece> pieces;
    bool crowded = false; // too much of the room is ink to be writing
    double squeeze = 1; // the input's columns for one of the writing's, in its height
};

// A printed line's remains: a grid line along the room's edge, the "＝" cut by its side.
bool printedLine(const cv::Rect &r, const cv::Size &size)
{
    const int thin = std::max(4, size.height / 8);
    const bool flat = r.height <= thin && r.width >= 3 * r.height;
    const bool upright = r.width <= thin && r.height >= 3 * r.width;
    const bool side = r.x == 0 || r.br().x == size.width;
    if (flat && (r.y == 0 || r.br().y == size.height || r.width > 0.8 * size.width))
        return true;
    if (side && r.height <= thin)
        return true;
    return upright && side && r.y == 0 && r.br().y == size.height;
}

// The least value that share of the count lies at or below.
int percentile(const std::array<int, 256> &histogram, int count, double share)
{
    const int need = int(std::ceil(share * count));
    int value = 0;
    for (int sum = 0; value < 255 && (sum += histogram[value]) < need;)
        ++value;
    return value;
}

View viewOf(const cv::Mat &room)
{
    View view;
    if (room.empty() || room.rows < 8 || room.cols < 8 || room.type() != CV_8UC1)
        return view;
    // The paper's brightness with the strokes closed over, so that shade and a gradient of
    // light stay paper; ink is how much darker than it a pixel is.
    const int k = std::max(5, room.rows / 5) | 1;
    cv::Mat paper, contrast, mask;
    cv::dilate(room, paper, cv::getStructuringElement(cv::MORPH_RECT, { k, k }));
    cv::blur(paper, paper, { k, k });
    cv::subtract(paper, room, contrast);
    double level = cv::threshold(contrast, mask, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    level = std::clamp(level, kMinContrast, kMaxContrast);
    // Faint parts of strokes count where they touch ink: a pencil's grain leaves a stroke
    // half as dark in places, and the reader must see the whole digit. Faint is above the
    // paper's own mottle, which most of the room is.
    std::array<int, 256> all {};
    for (int y = 0; y < room.rows; ++y) {
        const uchar *c = contrast.ptr<uchar>(y);
        for (int x = 0; x < room.cols; ++x)
            ++all[c[x]];
    }
    const double faint
        = std::max({ kFaintFloor, level / 3, 2.0 * percentile(all, int(room.total()), 0.5) });
    cv::threshold(contrast, mask, faint, 255, cv::THRESH_BINARY);
    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(mask, labels, stats, centroids, 8, CV_32S);
    std::vector<bool> inkedPiece(count, false);
    const double inkLevel = std::max(kInkFloor, level / 2);
    for (int y = 0; y < room.rows; ++y) {
        const int *l = labels.ptr<int>(y);
        const uchar *c = contrast.ptr<uchar>(y);
        for (int x = 0; x < room.cols; ++x) {
            if (c[x] > inkLevel)
                inkedPiece[l[x]] = true;
        }
    }
    auto box = [&](int i) {
        return cv::Rect(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
            stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
    };
    std::vector<bool> printed(count, false);
    int tallest = 0;
    for (int i = 1; i < count; ++i) {
        printed[i] = printedLine(box(i), room.size());
        if (inkedPiece[i] && !printed[i])
            tallest = std::max(tallest, box(i).height);
    }
    std::vector<uchar> keep(count, 0);
    bool any = false;
    for (int i = 1; i < count; ++i) {
        const cv::Rect r = box(i);
        // A stub at the side, much lower than the writing: the end of a printed sign.
        const bool stub = (r.x == 0 || r.br().x == room.cols) && r.height < 0.5 * tallest
            && r.width < 0.5 * tallest;
        keep[i] = inkedPiece[i] && !printed[i] && !stub
            && std::max(r.width, r.height) >= 0.2 * tallest
            && stats.at<int>(i, cv::CC_STAT_AREA) >= 4;
        any = any || keep[i];
    }
    if (!any)
        return view;

    // Pieces not kept are taken out of the picture; the strength of ink is measured against
    // the darker strokes of what is kept, so that pencil and pen look alike.
    std::array<int, 256> histogram {};
    int inked = 0, x0 = room.cols, y0 = room.rows, x1 = 0, y1 = 0;
    cv::Mat clean = contrast.clone();
    for (int y = 0; y < room.rows; ++y) {
        const int *l = labels.ptr<int>(y);
        const uchar *c = contrast.ptr<uchar>(y);
        uchar *out = clean.ptr<uchar>(y);
        for (int x = 0; x < room.cols; ++x) {
            if (l[x] == 0)
                continue;
            if (!keep[l[x]]) {
                out[x] = 0;
                continue;
            }
            ++histogram[c[x]];
            ++inked;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x + 1);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y + 1);
        }
    }
    const int reference = std::max(percentile(histogram, inked, 0.9), 1);

    const double scale = double(kInkHeight) / (y1 - y0);
    const int width = std::max(1, std::min(kMaxInkWidth, int(std::floor((x1 - x0) * scale + 0.5))));
    cv::Mat small;
    cv::resize(clean(cv::Rect(x0, y0, x1 - x0, y1 - y0)), small, { width, kInkHeight }, 0, 0,
        cv::INTER_AREA);
    view.input
        = cv::Mat::zeros(AnswerRecogniser::kInputHeight, AnswerRecogniser::kInputWidth, CV_32F);
    const int left = (AnswerRecogniser::kInputWidth - width) / 2;
    const double span = std::max(reference - faint, 1.0);
    cv::Mat strength;
    small.convertTo(strength, CV_32F, 1 / span, -faint / span);
    strength = cv::max(cv::min(strength, 1.0), 0.0);
    strength.copyTo(view.input(cv::Rect(left, kInkTop, width, kInkHeight)));

    const double squeeze = double(width) / (x1 - x0);
    view.squeeze = squeeze / scale;
    for (int i = 1; i < count; ++i) {
        if (!keep[i])
            continue;
        const cv::Rect r = box(i);
        view.pieces.push_back({ left + (r.x - x0) * squeeze, left + (r.br().x - x0) * squeeze,
            r.width * scale / kInkHeight });
    }
    view.crowded = inked > kMaxInkShare * room.total();
    return view;
}

using Scores = std::array<std::array<double, kClasses>, kFrames>; // log-probabilities

double logAdd(double a, double b)
{
    if (a == kNever)
        return b;
    if (b == kNever)
        return a;
    const double high = std::max(a, b);
    return high + std::log1p(std::exp(std::min(a, b) - high));
}

int classOf(char c)
{
    return int(std::find(kAlphabet, kAlphabet + kClasses - 1, c) - kAlphabet) + 1;
}

// The label sequence of a reading with CTC's blanks around and between its symbols.
std::vector<int> extended(const std::string &text)
{
    std::vector<int> states { 0 };
    for (const char c : text) {
        states.push_back(classOf(c));
        states.push_back(0);
    }
    return states;
}

// Whether state s may be reached from s - 2, skipping the blank between two symbols.
bool mayskip(const std::vector<int> &states, size_t s)
{
    return s >= 2 && states[s] != 0 && states[s] != states[s - 2];
}

// The probability of a reading: the sum over every path of the columns that spells it.
double scoreOf(const Scores &scores, const std::string &text)
{
    const std::vector<int> states = extended(text);
    std::vector<double> alpha(states.size(), kNever), next(states.size());
    alpha[0] = scores[0][0];
    if (states.size() > 1)
        alpha[1] = scores[0][states[1]];
    for (int t = 1; t < kFrames; ++t) {
        for (size_t s = 0; s < states.size(); ++s) {
            double a = alpha[s];
            if (s >= 1)
                a = logAdd(a, alpha[s - 1]);
            if (mayskip(states, s))
                a = logAdd(a, alpha[s - 2]);
            next[s] = a == kNever ? kNever : a + scores[t][states[s]];
        }
        alpha.swap(next);
    }
    return states.size() > 1 ? logAdd(alpha.back(), alpha[states.size() - 2]) : alpha.back();
}

// The likeliest readings, best first, by CTC's prefix beam search; their scores are close to
// but not always the whole sum, so the caller scores the ones it weighs again.
std::vector<std::string> candidates(const Scores &scores)
{
    struct Odds
    {
        double blank = kNever, symbol = kNever; // ending in a blank, in a symbol
        double total() const { return logAdd(blank, symbol); }
    };
    std::map<std::string, Odds> beams { { std::string(), Odds { 0, kNever } } };
    for (int t = 0; t < kFrames; ++t) {
        std::map<std::string, Odds> next;
        for (const auto &[prefix, odds] : beams) {
            next[prefix].blank = logAdd(next[prefix].blank, odds.total() + scores[t][0]);
            for (int c = 1; c < kClasses; ++c) {
                const double p = scores[t][c];
                if (p < -12)
                    continue;
                const char symbol = kAlphabet[c - 1];
                const std::string longer = prefix + symbol;
                if (!prefix.empty() && prefix.back() == symbol) {
                    next[longer].symbol = logAdd(next[longer].symbol, odds.blank + p);
                    next[prefix].symbol = logAdd(next[prefix].symbol, odds.symbol + p);
                } else {
                    next[longer].symbol = logAdd(next[longer].symbol, odds.total() + p);
                }
            }
        }
        std::vector<std::pair<double, std::string>> ranked;
        for (const auto &[prefix, odds] : next)
            ranked.emplace_back(odds.total(), prefix);
        std::sort(ranked.begin(), ranked.end(), std::greater<>());
        ranked.resize(std::min<size_t>(ranked.size(), kBeam));
        beams.clear();
        for (const auto &[total, prefix] : ranked)
            beams[prefix] = next[prefix];
    }
    std::vector<std::pair<double, std::string>> ranked;
    for (const auto &[prefix, odds] : beams)
        ranked.emplace_back(odds.total(), prefix);
    std::sort(ranked.begin(), ranked.end(), std::greater<>());
    std::vector<std::string> texts;
    for (const auto &[total, prefix] : ranked)
        texts.push_back(prefix);
    return texts;
}

// Where along the input each symbol of a reading lies: the centre, in input columns, of the
// output columns the likeliest single path of the reading gives it.
std::vector<double> placesOf(const Scores &scores, const std::string &text)
{
    const std::vector<int> states = extended(text);
    const size_t n = states.size();
    std::vector<std::vector<double>> best(kFrames, std::vector<double>(n, kNever));
    std::vector<std::vector<int>> from(kFrames, std::vector<int>(n, -1));
    best[0][0] = scores[0][0];
    if (n > 1)
        best[0][1] = scores[0][states[1]];
    for (int t = 1; t < kFrames; ++t) {
        for (size_t s = 0; s < n; ++s) {
            int origin = int(s);
            double b = best[t - 1][s];
            if (s >= 1 && best[t - 1][s - 1] > b)
                b = best[t - 1][origin = int(s - 1)];
            if (mayskip(states, s) && best[t - 1][s - 2] > b)
                b = best[t - 1][origin = int(s - 2)];
            if (b == kNever)
                continue;
            best[t][s] = b + scores[t][states[s]];
            from[t][s] = origin;
        }
    }
    int s = int(n) - 1;
    if (n > 1 && best[kFrames - 1][n - 2] > best[kFrames - 1][n - 1])
        s = int(n) - 2;
    std::vector<double> sum(text.size(), 0), frames(text.size(), 0);
    for (int t = kFrames - 1; t >= 0 && s >= 0; --t) {
        if (s % 2 == 1) {
            sum[s / 2] += t;
            frames[s / 2] += 1;
        }
        s = from[t][s];
    }
    std::vector<double> places;
    for (size_t i = 0; i < text.size(); ++i)
        places.push_back(frames[i] > 0 ? (sum[i] / frames[i] + 0.5) * kFrame : -1e9);
    return places;
}

// Whether a piece of ink as wide as two digits holds fewer than two of the symbols read.
bool merged(const View &view, const std::vector<double> &places)
{
    return std::any_of(view.pieces.begin(), view.pieces.end(), [&](const Piece &piece) {
        return piece.width > kTwoDigitsWide
            && std::count_if(places.begin(), places.end(),
                   [&](double x) { return x >= piece.left && x <= piece.right; })
            < 2;
    });
}

// Whether some ink lies apart from every symbol read: pieces whose columns overlap are one
// group (a digit written in two strokes, digits across one another), and each group must
// hold a symbol read, or lie close beside one.
bool unread(const View &view, const std::vector<double> &places)
{
    std::vector<Piece> pieces = view.pieces;
    std::sort(pieces.begin(), pieces.end(),
        [](const Piece &a, const Piece &b) { return a.left < b.left; });
    const double unit = kInkHeight * view.squeeze;
    auto holdsSymbol = [&](double left, double right) {
        return std::any_of(places.begin(), places.end(),
            [&](double x) { return x >= left - kBeside * unit && x <= right + kBeside * unit; });
    };
    double left = 0, right = -1;
    for (const Piece &piece : pieces) {
        if (right >= left && piece.left > right + kApart * unit) {
            if (!holdsSymbol(left, right))
                return true;
            right = -1;
        }
        if (right < left)
            left = piece.left;
        right = std::max(right, piece.right);
    }
    return right >= left && !holdsSymbol(left, right);
}

// Each member network's log-probabilities of each symbol in each output column: the model
// holds networks trained alike from different seeds, their scores side by side.
std::vector<Scores> scoresOf(cv::dnn::Net &net, const cv::Mat &input)
{
    const int shape[] = { 1, 1, AnswerRecogniser::kInputHeight, AnswerRecogniser::kInputWidth };
    net.setInput(cv::Mat(4, shape, CV_32F, input.data));
    const cv::Mat out = net.forward();
    const size_t oneMember = size_t(kClasses * kFrames);
    if (out.total() == 0 || out.total() % oneMember != 0)
        throw std::runtime_error("the answer model gives scores of another shape");
    std::vector<Scores> members(out.total() / oneMember);
    for (size_t m = 0; m < members.size(); ++m) {
        const float *raw = out.ptr<float>() + m * oneMember;
        Scores &scores = members[m];
        for (int t = 0; t < kFrames; ++t) {
            double high = kNever;
            for (int c = 0; c < kClasses; ++c)
                high = std::max(high, double(raw[c * kFrames + t]));
            double sum = 0;
            for (int c = 0; c < kClasses; ++c)
                sum += std::exp(raw[c * kFrames + t] - high);
            for (int c = 0; c < kClasses; ++c)
                scores[t][c] = raw[c * kFrames + t] - high - std::log(sum);
        }
    }
    return members;
}

} // namespace

struct AnswerRecogniser::Model
{
    cv::dnn::Net net;
};

AnswerRecogniser::AnswerRecogniser(const std::vector<uchar> &onnx)
    : m_model(std::make_unique<Model>())
{
    try {
        m_model->net = cv::dnn::readNetFromONNX(onnx);
    } catch (const cv::Exception &e) {
        throw std::runtime_error(std::string("the answer model cannot be read: ") + e.what());
    }
    if (m_model->net.empty())
        throw std::runtime_error("the answer model is empty");
    m_model->net.setPreferableBackend(cv::dnn::DNN_BACKEND_OPENCV);
    m_model->net.setPreferableTarget(cv::dnn::DNN_TARGET_CPU);
}

const AnswerRecogniser &AnswerRecogniser::builtIn()
{
    static const AnswerRecogniser built = [] {
        QFile file(QStringLiteral(":/reader/answers.onnx"));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("the answer model is missing from the reader");
        const QByteArray bytes = file.readAll();
        return AnswerRecogniser(std::vector<uchar>(bytes.begin(), bytes.end()));
    }();
    return built;
}

AnswerRecogniser::~AnswerRecogniser() = default;
AnswerRecogniser::AnswerRecogniser(AnswerRecogniser &&) noexcept = default;
AnswerRecogniser &AnswerRecogniser::operator=(AnswerRecogniser &&) noexcept = default;

cv::Mat AnswerRecogniser::networkInput(const cv::Mat &room)
{
    return viewOf(room).input;
}

InkWeighing AnswerRecogniser::weigh(const cv::Mat &room, const QString &expectedText) const
{
    InkWeighing ink;
    const View view = viewOf(room);
    if (view.input.empty())
        return ink;
    std::vector<Scores> looks;
    for (const int shift : kShifts) {
        cv::Mat input = cv::Mat::zeros(view.input.size(), CV_32F);
        view.input.colRange(0, kInputWidth - shift).copyTo(input.colRange(shift, kInputWidth));
        for (const Scores &scores : scoresOf(m_model->net, input))
            looks.push_back(scores);
    }
    // A reading's probability is its average over the looks, every member's at every shift.
    auto scoreOfText = [&](const std::string &text) {
        double sum = kNever;
        for (const Scores &scores : looks)
            sum = logAdd(sum, scoreOf(scores, text));
        return sum - std::log(double(looks.size()));
    };

    std::vector<std::string> likeliest;
    for (const Scores &scores : looks) {
        for (const std::string &text : candidates(scores)) {
            if (std::find(likeliest.begin(), likeliest.end(), text) == likeliest.end())
                likeliest.push_back(text);
        }
    }
    // Only digits can be expected: anything else is never what the ink says.
    const std::string expected = expectedText.toStdString();
    const bool digitsOnly = !expected.empty()
        && std::all_of(
            expected.begin(), expected.end(), [](char c) { return c >= '0' && c <= '9'; });
    ink.expectedScore = digitsOnly ? scoreOfText(expected) : kNever;
    std::string best = digitsOnly ? expected : std::string();
    double bestScore = ink.expectedScore;
    std::string rival;
    for (const std::string &text : likeliest) {
        if (digitsOnly && text == expected)
            continue;
        const double score = scoreOfText(text);
        if (score > bestScore) {
            bestScore = score;
            best = text;
        }
        if (score > ink.rivalScore) {
            ink.runnerUpScore = ink.rivalScore;
            ink.rivalScore = score;
            rival = text;
        } else if (score > ink.runnerUpScore) {
            ink.runnerUpScore = score;
        }
    }
    ink.best = QString::fromStdString(best);
    ink.rival = QString::fromStdString(rival);

    const std::vector<double> places = placesOf(looks.front(), best);
    ink.doubtful = best.empty() || best.find('X') != std::string::npos || view.crowded
        || merged(view, places) || unread(view, places);
    return ink;
}
