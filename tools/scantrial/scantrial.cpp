// The developers' trial of reading photographed sheets (scripts/scan-trial): prints scannable
// sheets of many kinds, writes answers into their rooms with handwritten digits the
// recogniser never learned from, photographs them as a phone would (a sheet lying on a
// table, tilted, in any orientation, unevenly lit, JPEG), reads the photos back and reports
// how many answers were read exactly, how many got a wrong verdict, and how long a page took.

#include "trialphoto.h"

#include "matimage.h"
#include "pageframe.h"
#include "pagefinder.h"
#include "photofile.h"
#include "scanpage.h"
#include "sheetpainter.h"
#include "sheetreader.h"
#include "store/settings.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "program/appcontext.h"
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

#include <cstdio>
#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace trialphoto;

namespace {

struct Written
{
    QString digits;
    bool right = false;
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
    const HeldOutDigits digits(args.at(1).toStdString());
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
    qint64 readMs = 0;
    QStringList failures;
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
        const Worksheet sheet
            = recipe.make(maker, QDateTime(QDate(2026, 12, 7), QTime(9, 0)).addSecs(s), nullptr);
        SheetDocument document
            = questionDocument(sheet, choices, sheetTitle(u"题型 难度 数量"_s, sheet));
        document.scanNumber = sheet.number();
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
                writeAnswer(image, room.room, text, digits, rnd);
                truth.insert(room.position, { text, right });
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
            for (const ScanRoom &room : scannable.rooms) {
                if (room.page != page + 1)
                    continue;
                const Written written = truth.value(room.position);
                const ReadAnswer answer = read.value(room.position);
                const Verdict verdict = verdictOf(room, answer);
                ++answers;
                exact += answer.digits == written.digits;
                unsure += verdict == Verdict::Unsure;
                // With QRTA_TRIAL_ROOMS set, the rooms not read as written are kept to look at.
                if (found && answer.digits != written.digits
                    && qEnvironmentVariableIsSet("QRTA_TRIAL_ROOMS")) {
                    const cv::Rect pixels = pagefinder::pixelRect(room.room)
                        & cv::Rect(0, 0, found->image.cols, found->image.rows);
                    matimage::toImage(found->image(pixels))
                        .save(out.filePath(u"room-%1-%2-wrote%3-read%4%5.png"_s
                                               .arg(sheet.number())
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
    for (const QString &failure : std::as_const(failures).mid(0, 40))
        std::printf("  %s\n", qPrintable(failure));
    return 0;
}
