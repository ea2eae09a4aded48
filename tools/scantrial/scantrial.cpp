// The developers' trial of reading photographed sheets (scripts/scan-trial): prints scannable
// sheets of many kinds, writes answers into their rooms with handwritten digits the
// recogniser never learned from (half of them redrawn with a ballpoint's or a sharp
// pencil's thin line), photographs them as a phone would (a sheet lying on a table, tilted,
// in any orientation, unevenly lit, JPEG), reads the photos back and reports how many
// answers were read exactly, how many got a wrong verdict, which held-out samples were most
// often in the answers misread, how long a page took, and whether the page turned any other
// way reads the same.

#include "trialphoto.h"

#include "answerrecogniser.h"

#include "matimage.h"
#include "pageframe.h"
#include "pagefinder.h"
#include "photofile.h"
#include "scanpage.h"
#include "sheetlayout.h"
#include "sheetpainter.h"
#include "sheetreader.h"
#include "store/settings.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "program/appcontext.h"
#include "quiz/inkweighing.h"
#include "quiz/sheetmarking.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/sheetrecipe.h"
#include "worksheet/worksheet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace trialphoto;

namespace {

struct Written
{
    QString digits;
    bool right = false;
    Handwriting hand;
};

struct Share
{
    int answers = 0, exact = 0;
    double percent() const { return 100.0 * exact / std::max(1, answers); }
    int missed() const { return answers - exact; }
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: qrta-scan-trial DIGITS.png OUT-FOLDER [SHEETS]\n");
        return 2;
    }
    // With QRTA_TRIAL_TUNE set, the answers are written with the other half of the held-out
    // digits and the trial weighs every room at a range of margins: where the reader's margin
    // is chosen, never on the digits that report its figures.
    const bool tune = qEnvironmentVariableIsSet("QRTA_TRIAL_TUNE");
    HeldOutDigits digits(args.at(1).toStdString());
    if (tune)
        digits.half = 0;
    // The margin for a right verdict and the one for a wrong one.
    const std::vector<std::pair<double, double>> margins { { 2, 2 }, { 3, 3 }, { 5, 5 }, { 2.5, 5 },
        { 2.5, 8 }, { 2.5, 10 }, { 2.5, 12 }, { 2.5, 15 }, { 0.5, 10 }, { 0.5, 12 }, { 0.75, 8 },
        { 0.75, 10 }, { 0.75, 12 }, { 1, 8 }, { 1, 10 }, { 1, 12 }, { 1.25, 10 }, { 1.5, 10 },
        { 2, 10 } };
    std::vector<int> wrongAt(margins.size()), unsureAt(margins.size());
    // Why the unsure answers were: ink the reader doubts (too wide for the digits read, left
    // unread, crossed out, crowded), or a right or a wrong answer its reading beat too narrowly.
    struct
    {
        int doubtfulInk = 0, rightShort = 0, wrongShort = 0;
    } unsureWhy;
    if (digits.sheet.empty()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args.at(1)));
        return 2;
    }
    const QDir out(args.at(2));
    QDir().mkpath(out.path());
    const int sheetCount = args.size() > 3 ? args.at(3).toInt() : 12;
    QFile::remove(out.filePath(u"trial.dat"_s));
    const auto context = AppContext::open(out.filePath(u"trial.dat"_s));

    std::mt19937 rnd(7);
    SeededRandom questions(11);
    QuestionMaker maker(questions);
    // Sheets as parents print them: every type, two to five columns, the five sizes.
    int pages = 0, answers = 0, exact = 0, wrongVerdicts = 0, unsure = 0, pagesFound = 0;
    Share singles, touching, apart, feltPen, finePen;
    int turnedPages = 0, turnedPagesDiffering = 0, turnedRoomsDiffering = 0;
    qint64 readMs = 0;
    QStringList failures;
    // For each held-out sample, the answers written with it and those of them not read as
    // written: a few odd samples can decide a figure.
    std::map<Handwriting::Sample, Share> bySample;
    std::vector<std::vector<Handwriting::Sample>> samplesMissed;
    for (int s = 0; s < sheetCount; ++s) {
        SheetRecipe recipe;
        recipe.form = { qint16(1 + s % 10), qint16(1 + (s / 2) % 3) };
        recipe.columns = qint16(2 + s % 4);
        recipe.rows = qint16(8 + s % 10);
        SheetChoices choices;
        choices.columns = recipe.columns;
        choices.rows = recipe.rows;
        choices.font = qint16(1 + s % 5);
        choices.rowHeight = qint16(2 + s % 4);
        Worksheet sheet
            = recipe.make(maker, QDateTime(QDate(2026, 12, 7), QTime(9, 0)).addSecs(s), nullptr);
        const auto documentWith = [&](int columns) {
            Worksheet laidOut = sheet;
            laidOut.setColumns(qint16(columns));
            SheetDocument document
                = questionDocument(laidOut, choices, sheetTitle(u"题型 难度 数量"_s, laidOut));
            document.scanNumber = laidOut.number();
            return document;
        };
        // As the worksheet window prints it: in the columns that hold its lines and their
        // rooms, where the ones asked for cannot.
        if (SheetLayout::compute(documentWith(sheet.columns())).overflows)
            sheet.setColumns(qint16(columnsThatFit(documentWith, sheet.columns())));
        SheetDocument document = documentWith(sheet.columns());
        const ScannableSheet scannable = scanpage::describe(sheet, document);
        scannablesheets::store(context->database(), scannable);
        scanpage::markForScanning(document, scannable, context->settings().installationNumber());
        const SheetPainter painter(document);
        QHash<int, Written> truth;
        for (int page = 0; page < painter.pageCount(); ++page) {
            cv::Mat image = renderPage(painter, page);
            for (const ScanRoom &room : scannable.rooms) {
                if (room.page != page + 1)
                    continue;
                const bool right = rnd() % 5 != 0;
                QString text = room.answer;
                if (!right) {
                    text = QString::number(room.answer.toInt() + 1 + int(rnd() % 9));
                    if (text.startsWith(u'-'))
                        text.remove(0, 1);
                }
                truth.insert(room.position,
                    { text, right, writeAnswer(image, room.room, text, digits, rnd) });
            }
            const cv::Mat photo = photograph(image, rnd);
            const QString name = out.filePath(u"%1-%2.jpg"_s.arg(sheet.number()).arg(page + 1));
            QImageWriter writer(name, "jpeg");
            writer.setQuality(80);
            writer.write(matimage::toImage(photo));
            ++pages;

            QElapsedTimer timer;
            timer.start();
            // Decoded as the program decodes a photo.
            QString why;
            const cv::Mat back = photofile::load(name, &why);
            const std::optional<StraightenedPage> found = pagefinder::find(back, &why);
            QMap<int, ReadAnswer> read;
            if (found && found->code.sheetNumber == sheet.number())
                read = sheetreader::readAnswers(*found, scannable);
            readMs += timer.elapsed();
            if (!found)
                failures << u"%1: page not found: %2"_s.arg(name, why);
            else
                ++pagesFound;
            // The same page turned any other way must read the same.
            for (const cv::RotateFlags turn :
                { cv::ROTATE_90_CLOCKWISE, cv::ROTATE_180, cv::ROTATE_90_COUNTERCLOCKWISE }) {
                if (!found)
                    break;
                cv::Mat turned;
                cv::rotate(back, turned, turn);
                const std::optional<StraightenedPage> again = pagefinder::find(turned, &why);
                const QMap<int, ReadAnswer> reread
                    = again ? sheetreader::readAnswers(*again, scannable) : QMap<int, ReadAnswer>();
                ++turnedPages;
                bool same = true;
                for (auto it = read.cbegin(); it != read.cend(); ++it) {
                    const ReadAnswer other = reread.value(it.key());
                    const bool differs
                        = other.digits != it.value().digits || other.sure != it.value().sure;
                    turnedRoomsDiffering += differs;
                    same = same && !differs;
                }
                turnedPagesDiffering += !same;
                if (!same)
                    failures << u"%1 turned %2: read otherwise"_s.arg(name).arg(int(turn));
            }
            for (const ScanRoom &room : scannable.rooms) {
                if (room.page != page + 1)
                    continue;
                const Written written = truth.value(room.position);
                const ReadAnswer answer = read.value(room.position);
                const Verdict verdict = verdictOf(room, answer);
                // The room as the reader cut it, weighed again where the trial needs the
                // weighing itself: why an answer was unsure, and the margins' table.
                const cv::Mat roomImage = found
                    ? found->image(pagefinder::pixelRect(room.room)
                        & cv::Rect(0, 0, found->image.cols, found->image.rows))
                    : cv::Mat();
                if (found && (tune || verdict == Verdict::Unsure)) {
                    const InkWeighing ink
                        = AnswerRecogniser::builtIn().weigh(roomImage, room.answer);
                    if (verdict == Verdict::Unsure) {
                        if (ink.best.isEmpty() || ink.doubtful)
                            ++unsureWhy.doubtfulInk;
                        else if (written.right)
                            ++unsureWhy.rightShort;
                        else
                            ++unsureWhy.wrongShort;
                    }
                    for (size_t m = 0; tune && m < margins.size(); ++m) {
                        const Verdict v = verdictOf(room,
                            answerFromInk(ink, room.answer, margins[m].first, margins[m].second));
                        unsureAt[m] += v == Verdict::Unsure;
                        wrongAt[m]
                            += v != Verdict::Unsure && (v == Verdict::Right) != written.right;
                    }
                }
                const bool readExactly = answer.digits == written.digits;
                ++answers;
                exact += readExactly;
                Share &kind = written.digits.size() == 1 ? singles
                    : written.hand.close                 ? touching
                                                         : apart;
                std::vector<Share *> shares { &kind, written.hand.finePen ? &finePen : &feltPen };
                for (const Handwriting::Sample &sample : written.hand.samples)
                    shares.push_back(&bySample[sample]);
                for (Share *share : shares) {
                    ++share->answers;
                    share->exact += readExactly;
                }
                if (!readExactly)
                    samplesMissed.push_back(written.hand.samples);
                unsure += verdict == Verdict::Unsure;
                // With QRTA_TRIAL_ROOMS set, the rooms not read as written are kept to look at.
                if (found && !readExactly && qEnvironmentVariableIsSet("QRTA_TRIAL_ROOMS")) {
                    matimage::toImage(roomImage).save(
                        out.filePath(u"room-%1-%2-wrote%3-read%4%5.png"_s.arg(sheet.number())
                                         .arg(room.position)
                                         .arg(written.digits, answer.digits,
                                             answer.sure ? u"-sure"_s : QString())));
                }
                if (verdict != Verdict::Unsure && (verdict == Verdict::Right) != written.right) {
                    ++wrongVerdicts;
                    failures << u"%1 #%2: wrote %3, read %4 (sure)"_s.arg(name)
                                    .arg(room.position)
                                    .arg(written.digits, answer.digits);
                }
            }
        }
    }
    std::printf("pages %d, found %d; answers %d: read exactly %.1f %%, unsure %.1f %%, wrong "
                "verdicts %.2f %%; reading %.0f ms a page (model loaded once)\n",
        pages, pagesFound, answers, 100.0 * exact / std::max(1, answers),
        100.0 * unsure / std::max(1, answers), 100.0 * wrongVerdicts / std::max(1, answers),
        double(readMs) / std::max(1, pages));
    std::printf("unsure: ink in doubt %.1f %%, a right answer short of its margin %.1f %%, a "
                "wrong one short of its margin %.1f %%\n",
        100.0 * unsureWhy.doubtfulInk / std::max(1, answers),
        100.0 * unsureWhy.rightShort / std::max(1, answers),
        100.0 * unsureWhy.wrongShort / std::max(1, answers));
    for (size_t m = 0; tune && m < margins.size(); ++m)
        std::printf("margins %.2g right, %.2g wrong: wrong verdicts %.2f %%, unsure %.1f %%\n",
            margins[m].first, margins[m].second, 100.0 * wrongAt[m] / std::max(1, answers),
            100.0 * unsureAt[m] / std::max(1, answers));
    std::printf("read exactly: single digits %.1f %% of %d, digits apart %.1f %% of %d, "
                "touching or crossing %.1f %% of %d\n",
        singles.percent(), singles.answers, apart.percent(), apart.answers, touching.percent(),
        touching.answers);
    std::printf("read exactly: the samples' felt pen %.1f %% of %d, a fine pen %.1f %% of %d\n",
        feltPen.percent(), feltPen.answers, finePen.percent(), finePen.answers);
    std::vector<std::pair<Handwriting::Sample, Share>> samples(bySample.begin(), bySample.end());
    std::sort(samples.begin(), samples.end(),
        [](const auto &a, const auto &b) { return a.second.missed() > b.second.missed(); });
    samples.resize(std::min<size_t>(samples.size(), 10));
    const auto holdsOne = [&](const std::vector<Handwriting::Sample> &written) {
        return std::any_of(samples.begin(), samples.end(), [&](const auto &s) {
            return std::find(written.begin(), written.end(), s.first) != written.end();
        });
    };
    std::printf("the samples most often in answers not read as written:");
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto &[sample, share] = samples[i];
        std::printf("%s %d #%d %d of %d", i ? "," : "", sample.first, sample.second, share.missed(),
            share.answers);
    }
    std::printf("; %d of the %zu answers not read as written hold one of these %zu\n",
        int(std::count_if(samplesMissed.begin(), samplesMissed.end(), holdsOne)),
        samplesMissed.size(), samples.size());
    std::printf("pages turned another way: %d, read otherwise %d (%d answers)\n", turnedPages,
        turnedPagesDiffering, turnedRoomsDiffering);
    for (const QString &failure : std::as_const(failures).mid(0, 40))
        std::printf("  %s\n", qPrintable(failure));
    return 0;
}
