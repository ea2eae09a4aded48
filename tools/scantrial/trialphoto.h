#pragma once

#include "worksheet/scannablesheet.h"

#include <QDateTime>
#include <QRectF>
#include <QString>

#include <opencv2/core.hpp>

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

class SheetPainter;

// Photos of written sheets for the developers' trials and screenshots: a scannable page
// rendered as it prints, answers written into its rooms with handwritten digits the
// recogniser never learned from, and the page photographed as a phone would.
namespace trialphoto {

// The digits nobody trained on: of each digit's 500 samples in opencv-doc's sheet (five rows
// of a hundred), the last hundred.
struct HeldOutDigits
{
    cv::Mat sheet;
    explicit HeldOutDigits(const std::string &path);
    cv::Mat sample(int digit, int index) const; // index 0..99
    static int sheetIndex(int index) { return 400 + index; } // among its digit's 500
    // The half of them writeAnswer writes with: the last (50), on which the figures are
    // reported, or the first (0), on which the reader's margin is chosen.
    static constexpr int kHalf = 50;
    int half = kHalf;
};

inline constexpr double kPrintDpi = 200;

// A sample's path drawn again with a child's ballpoint or sharp pencil, a size × size cell of
// ink, its stroke width of the digit's height: the sheet was written with felt pens about a
// fifth of a digit wide.
cv::Mat withFinePen(const cv::Mat &cell, double width, int size);

// The page at kPrintDpi, 8-bit grey.
cv::Mat renderPage(const SheetPainter &painter, int page);
// How an answer was written.
struct Handwriting
{
    bool close = false; // some neighbours touch or cross
    bool finePen = false; // a ballpoint's or sharp pencil's line, not the samples' felt pen's
    // Each digit written and its sample, numbered among that digit's 500 in digits.png.
    using Sample = std::pair<int, int>;
    std::vector<Sample> samples;
};
// Writes the digits of text into the room (frame millimetres), a child's way: a little uneven
// in size, height and spacing, in pen or pencil, neighbours now and then touching or
// crossing.
Handwriting writeAnswer(cv::Mat &page, const QRectF &room, const QString &text,
    const HeldOutDigits &digits, std::mt19937 &rnd);
// A phone's photo of the page lying on a table: tilted up to 10°, the far edge shorter,
// lit from one side, slightly blurred, in any of the four orientations.
cv::Mat photograph(const cv::Mat &page, std::mt19937 &rnd);

// A one-page sheet of multiplications (A × B, level 2) printed to be photographed, an answer
// written into every room (the right one unless written says otherwise) and photographed:
// what the tour shows, the benchmark times and the tests read back.
struct PhotographedSheet
{
    ScannableSheet scannable;
    cv::Mat photo;
};
PhotographedSheet photographedSheet(const HeldOutDigits &digits, int installationNumber,
    qint16 columns, qint16 rows, const QDateTime &madeAt, quint64 questionSeed,
    unsigned writingSeed, const std::function<QString(const ScanRoom &)> &written = {});

} // namespace trialphoto
