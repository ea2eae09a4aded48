// The developers' trial of reading photographed sheets (scripts/scan-trial): prints scannable
// sheets of many kinds, writes answers into their rooms with handwritten digits the
// recogniser never learned from, photographs them as a phone would (a sheet lying on a
// table, tilted, in any orientation, unevenly lit, JPEG), reads the photos back and reports
// how many answers were read exactly, how many got a wrong verdict, and how long a page took.

#include "pageframe.h"
#include "pagefinder.h"
#include "scanpage.h"
#include "sheetpainter.h"
#include "sheetreader.h"

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
#include <QPainter>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kPrintDpi = 200;
constexpr double kPxPerMm = kPrintDpi / 25.4;

// The digits nobody trained on: of each digit's 500 samples in opencv-doc's sheet (five rows
// of a hundred), the last fifty.
struct HeldOutDigits
{
    cv::Mat sheet;
    explicit HeldOutDigits(const std::string &path)
        : sheet(cv::imread(path, cv::IMREAD_GRAYSCALE))
    { }
    cv::Mat sample(int digit, int index) const // index 0..49
    {
        const int row = digit * 5 + 4, column = 50 + index;
        return sheet(cv::Rect(column * 20, row * 20, 20, 20));
    }
};

cv::Mat toMat(const QImage &image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    return cv::Mat(
        grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.bits()), grey.bytesPerLine())
        .clone();
}

cv::Mat renderPage(const SheetPainter &painter, int page)
{
    QImage image(int(210 * kPxPerMm), int(297 * kPxPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    painter.paintPage(p, page, kPrintDpi, kPrintDpi);
    p.end();
    return toMat(image);
}

// Writes the digits of text into the room, a child's way: a little uneven in size, height and
// spacing, in pen or pencil.
void writeAnswer(cv::Mat &page, const QRectF &room, const QString &text,
    const HeldOutDigits &digits, std::mt19937 &rnd)
{
    std::uniform_real_distribution<double> unit(0, 1);
    const QPointF paper = pageframe::toPaper(room.topLeft());
    const double height = room.height() * kPxPerMm * (0.55 + 0.25 * unit(rnd));
    double x = paper.x() * kPxPerMm + 2 + 6 * unit(rnd);
    const double ink = 0.55 + 0.4 * unit(rnd); // pencil grey to pen black
    for (const QChar c : text) {
        const cv::Mat cell = digits.sample(c.digitValue(), int(rnd() % 50));
        const int size = std::max(8, int(height * (1.0 + 0.1 * (unit(rnd) - 0.5)) * 20 / 16));
        cv::Mat scaled;
        cv::resize(cell, scaled, cv::Size(size, size), 0, 0, cv::INTER_LINEAR);
        const int top = int(paper.y() * kPxPerMm + (room.height() * kPxPerMm - size) / 2
            + (unit(rnd) - 0.5) * height * 0.2);
        const cv::Rect place(int(x), top, size, size);
        if ((place & cv::Rect(0, 0, page.cols, page.rows)) != place)
            break;
        cv::Mat target = page(place);
        for (int r = 0; r < size; ++r)
            for (int col = 0; col < size; ++col) {
                const double a = scaled.at<uchar>(r, col) / 255.0 * ink;
                uchar &px = target.at<uchar>(r, col);
                px = uchar(std::min<double>(px, 255 * (1 - a)));
            }
        x += size * (0.55 + 0.2 * unit(rnd));
    }
}

// A phone's photo of the page lying on a table.
cv::Mat photograph(const cv::Mat &page, std::mt19937 &rnd)
{
    std::uniform_real_distribution<double> unit(0, 1);
    const cv::Size photo(3000, 4000);
    const double tilt = (unit(rnd) - 0.5) * 20 * CV_PI / 180; // up to 10°
    const double width = photo.width * (0.72 + 0.15 * unit(rnd));
    const double height = width * 297 / 210;
    const double narrowTop = width * 0.12 * unit(rnd); // the far edge looks shorter
    const cv::Point2f centre(
        photo.width / 2.0f + float((unit(rnd) - 0.5) * 150), photo.height / 2.0f);
    std::vector<cv::Point2f> corners = { { float(-width / 2 + narrowTop / 2), float(-height / 2) },
        { float(width / 2 - narrowTop / 2), float(-height / 2) },
        { float(width / 2), float(height / 2) }, { float(-width / 2), float(height / 2) } };
    for (cv::Point2f &c : corners)
        c = centre
            + cv::Point2f(float(c.x * std::cos(tilt) - c.y * std::sin(tilt)),
                float(c.x * std::sin(tilt) + c.y * std::cos(tilt)));
    const std::vector<cv::Point2f> source = { { 0, 0 }, { float(page.cols), 0 },
        { float(page.cols), float(page.rows) }, { 0, float(page.rows) } };
    cv::Mat table(photo, CV_8UC1, cv::Scalar(90 + 40 * unit(rnd)));
    cv::randn(table, cv::Scalar(110), cv::Scalar(12));
    cv::Mat shot = table.clone();
    cv::warpPerspective(page, shot, cv::getPerspectiveTransform(source, corners), photo,
        cv::INTER_LINEAR, cv::BORDER_TRANSPARENT);
    // Light from one side, a shadow towards the other.
    cv::Mat light(photo, CV_32F);
    const double angle = unit(rnd) * 2 * CV_PI, depth = 0.25 + 0.25 * unit(rnd);
    for (int r = 0; r < photo.height; ++r)
        for (int c = 0; c < photo.width; ++c)
            light.at<float>(r, c) = float(1 - depth / 2
                - depth / 2
                    * ((c - photo.width / 2.0) * std::cos(angle)
                        + (r - photo.height / 2.0) * std::sin(angle))
                    / (photo.height / 2.0));
    cv::Mat lit;
    shot.convertTo(lit, CV_32F);
    lit = lit.mul(light);
    cv::Mat noise(photo, CV_32F);
    cv::randn(noise, 0, 3);
    lit += noise;
    lit.convertTo(shot, CV_8U);
    cv::GaussianBlur(shot, shot, cv::Size(0, 0), 0.6 + 0.8 * unit(rnd));
    const int turns = int(rnd() % 4);
    if (turns > 0)
        cv::rotate(shot, shot,
            turns == 1       ? cv::ROTATE_90_CLOCKWISE
                : turns == 2 ? cv::ROTATE_180
                             : cv::ROTATE_90_COUNTERCLOCKWISE);
    return shot;
}

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
            cv::imwrite(name.toStdString(), photo, { cv::IMWRITE_JPEG_QUALITY, 80 });
            ++pages;

            QElapsedTimer timer;
            timer.start();
            const cv::Mat back = cv::imread(name.toStdString(), cv::IMREAD_COLOR);
            QString why;
            const std::optional<FoundPage> found = pagefinder::find(back, &why);
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
