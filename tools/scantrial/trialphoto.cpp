#include "trialphoto.h"

#include "matimage.h"
#include "pageframe.h"
#include "scanpage.h"
#include "sheetpainter.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/sheetdocument.h"
#include "worksheet/worksheet.h"

#include <QImage>
#include <QPainter>

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace trialphoto {

constexpr double kPxPerMm = kPrintDpi / 25.4;

HeldOutDigits::HeldOutDigits(const std::string &path)
    : sheet(matimage::readGrey(QString::fromStdString(path)))
{ }

cv::Mat HeldOutDigits::sample(int digit, int index) const
{
    // Each digit fills five rows of a hundred samples.
    const int n = sheetIndex(index), row = digit * 5 + n / 100, column = n % 100;
    return sheet(cv::Rect(column * 20, row * 20, 20, 20));
}

namespace {

// Zhang and Suen's thinning of a 0/255 image to its middle lines, one pixel wide (the
// program's OpenCV modules have none). Its outermost pixels stay as they are.
cv::Mat middleLines(const cv::Mat &binary)
{
    cv::Mat ink = binary / 255;
    cv::Mat gone = cv::Mat::zeros(ink.size(), CV_8U);
    for (bool changed = true; changed;) {
        changed = false;
        for (int pass = 0; pass < 2; ++pass) {
            gone.setTo(0);
            for (int r = 1; r + 1 < ink.rows; ++r)
                for (int c = 1; c + 1 < ink.cols; ++c) {
                    if (!ink.at<uchar>(r, c))
                        continue;
                    // The neighbours clockwise from the one above.
                    const int p[8] = { ink.at<uchar>(r - 1, c), ink.at<uchar>(r - 1, c + 1),
                        ink.at<uchar>(r, c + 1), ink.at<uchar>(r + 1, c + 1),
                        ink.at<uchar>(r + 1, c), ink.at<uchar>(r + 1, c - 1),
                        ink.at<uchar>(r, c - 1), ink.at<uchar>(r - 1, c - 1) };
                    int count = 0, rises = 0;
                    for (int i = 0; i < 8; ++i) {
                        count += p[i];
                        rises += !p[i] && p[(i + 1) % 8];
                    }
                    const bool side = pass == 0
                        ? !(p[0] && p[2] && p[4]) && !(p[2] && p[4] && p[6])
                        : !(p[0] && p[2] && p[6]) && !(p[0] && p[4] && p[6]);
                    if (count >= 2 && count <= 6 && rises == 1 && side)
                        gone.at<uchar>(r, c) = 1;
                }
            if (cv::countNonZero(gone)) {
                ink -= gone;
                changed = true;
            }
        }
    }
    return ink * 255;
}

} // namespace

cv::Mat withFinePen(const cv::Mat &cell, double width, int size)
{
    constexpr int up = 4;
    cv::Mat big;
    cv::resize(cell, big, cv::Size(), up, up, cv::INTER_CUBIC);
    cv::copyMakeBorder(big, big, up, up, up, up, cv::BORDER_CONSTANT, 0); // for the thinning
    cv::threshold(big, big, 0.45 * 255, 255, cv::THRESH_BINARY);
    const cv::Mat line = middleLines(big);
    const cv::Rect ink = cv::boundingRect(line);
    const int across = std::max(2, int(std::lround(width * ink.height)));
    cv::Mat drawn;
    cv::dilate(line, drawn, cv::getStructuringElement(cv::MORPH_ELLIPSE, { across, across }));
    cv::GaussianBlur(drawn, drawn, cv::Size(0, 0), up / 4.0);
    cv::Mat out;
    cv::resize(drawn(cv::Rect(up, up, cell.cols * up, cell.rows * up)), out, cv::Size(size, size),
        0, 0, cv::INTER_AREA);
    return out;
}

cv::Mat renderPage(const SheetPainter &painter, int page)
{
    QImage image(int(210 * kPxPerMm), int(297 * kPxPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    painter.paintPage(p, page, kPrintDpi, kPrintDpi);
    p.end();
    return matimage::toMat(image.convertToFormat(QImage::Format_Grayscale8));
}

Handwriting writeAnswer(cv::Mat &page, const QRectF &room, const QString &text,
    const HeldOutDigits &digits, std::mt19937 &rnd)
{
    std::uniform_real_distribution<double> unit(0, 1);
    const QPointF paper = pageframe::toPaper(room.topLeft());
    // As tall as the room allows, and narrow enough that the digits stay in it, as a child
    // fits an answer in the space there is.
    const double widest = (room.width() * kPxPerMm - 10) / (text.size() * 0.85 + 0.3) * 16 / 20;
    const double height = std::min(room.height() * kPxPerMm * (0.55 + 0.25 * unit(rnd)), widest);
    double x = paper.x() * kPxPerMm + 2 + 6 * unit(rnd);
    const double ink = 0.55 + 0.4 * unit(rnd); // pencil grey to pen black
    // Half the answers with a fine pen, the others with a felt pen as the sheet's writers used.
    const double fine = unit(rnd) < 0.5 ? 0.05 + 0.06 * unit(rnd) : 0;
    Handwriting hand;
    hand.finePen = fine > 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const int index = digits.half + int(rnd() % HeldOutDigits::kHalf);
        const cv::Mat cell = digits.sample(c.digitValue(), index);
        hand.samples.emplace_back(c.digitValue(), HeldOutDigits::sheetIndex(index));
        const int size = std::max(8, int(height * (1.0 + 0.1 * (unit(rnd) - 0.5)) * 20 / 16));
        cv::Mat scaled;
        if (fine > 0)
            scaled = withFinePen(cell, fine, size);
        else
            cv::resize(cell, scaled, cv::Size(size, size), 0, 0, cv::INTER_LINEAR);
        const int top = int(paper.y() * kPxPerMm + (room.height() * kPxPerMm - size) / 2
            + (unit(rnd) - 0.5) * height * 0.2);
        const cv::Rect place(int(x), top, size, size);
        if ((place & cv::Rect(0, 0, page.cols, page.rows)) != place)
            return hand;
        cv::Mat target = page(place);
        for (int r = 0; r < size; ++r)
            for (int col = 0; col < size; ++col) {
                const double a = scaled.at<uchar>(r, col) / 255.0 * ink;
                uchar &px = target.at<uchar>(r, col);
                px = uchar(std::min<double>(px, 255 * (1 - a)));
            }
        // A digit's ink is about 0.6 of its cell wide: a third of the neighbours touch or
        // cross.
        const double advance = 0.45 + 0.4 * unit(rnd);
        hand.close = hand.close || (advance < 0.6 && i + 1 < text.size());
        x += size * advance;
    }
    return hand;
}

cv::Mat photograph(const cv::Mat &page, std::mt19937 &rnd)
{
    std::uniform_real_distribution<double> unit(0, 1);
    // OpenCV's noise from the same seed too, so that a trial is the same on every run.
    cv::theRNG().state = rnd();
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
    // The whole page in the picture, as the reader asks a parent to take it: a page tilted so
    // far that a corner would leave the frame is taken from a little further away.
    const cv::Rect2f bounds = cv::boundingRect(corners);
    const float room = 40;
    const float fit = std::min({ 1.0f, (centre.x - room) / (centre.x - bounds.x),
        (photo.width - room - centre.x) / (bounds.br().x - centre.x),
        (centre.y - room) / (centre.y - bounds.y),
        (photo.height - room - centre.y) / (bounds.br().y - centre.y) });
    for (cv::Point2f &c : corners)
        c = centre + (c - centre) * fit;
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

PhotographedSheet photographedSheet(const HeldOutDigits &digits, int installationNumber,
    qint16 columns, qint16 rows, const QDateTime &madeAt, quint64 questionSeed,
    unsigned writingSeed, const std::function<QString(const ScanRoom &)> &written)
{
    SeededRandom questions(questionSeed);
    QuestionMaker maker(questions);
    SheetChoices choices;
    choices.columns = columns;
    choices.rows = rows;
    const Worksheet sheet = Worksheet::generate(maker, 5, 2, columns, rows, madeAt);
    SheetDocument document = questionDocument(
        sheet, choices, sheetTitle(QStringLiteral("题型〖难度〗数量 题"), sheet));
    document.scanNumber = sheet.number();
    PhotographedSheet photographed { scanpage::describe(sheet, document), {} };
    scanpage::markForScanning(document, photographed.scannable, installationNumber);
    std::mt19937 writing(writingSeed);
    cv::Mat page = renderPage(SheetPainter(document), 0);
    for (const ScanRoom &room : photographed.scannable.rooms)
        writeAnswer(page, room.room, written ? written(room) : room.answer, digits, writing);
    photographed.photo = photograph(page, writing);
    return photographed;
}

} // namespace trialphoto
