#pragma once

#include "chrome/titlestrip.h"

#include <QRect>
#include <QRgb>

// Where the parts of the quiz room's windows lie, and the colours only they use. Each window
// has a band below the title strip with its choices and buttons, a table or chart below it,
// and the progress and hint lines at the foot.
namespace quizlayout {

constexpr int kTop = TitleStrip::kHeight;

namespace test {
constexpr QSize kWindow(820, 630);
constexpr int kBand = 92;
constexpr int kRow1 = kTop + 10;
constexpr int kRow2 = kRow1 + 40;
constexpr QRect kLevelCaption(20, kRow1, 56, 32);
constexpr QRect kLevelList(76, kRow1, 290, 32);
// Carrying and the blank, left of the band's buttons.
constexpr QRect kCarryList(372, kRow1, 126, 32);
constexpr QRect kBlankList(330, kRow2, 168, 32);
constexpr QRect kCountCaption(20, kRow2, 56, 32);
constexpr QRect kCount(76, kRow2, 90, 32);
constexpr QRect kRange(178, kRow2, 150, 32);
constexpr QRect kTestInfo(20, kRow2, 470, 32);
// The test's number takes the place of the choices once they are made.
constexpr QRect kNumber(20, kRow1, 470, 32);
constexpr QRect kGrid(20, kTop + kBand + 10, 780, 420);
constexpr int kRowHeight = 38;
constexpr QRect kProgress(20, kGrid.bottom() + 9, 400, 26);
constexpr QRect kClock(420, kGrid.bottom() + 9, 380, 26);
constexpr QRect kHint(20, kGrid.bottom() + 39, 780, 28);
} // namespace test

namespace records {
constexpr QSize kWindow(900, 600);
constexpr int kBand = 52;
constexpr QRect kHeading(20, kTop + 10, 350, 32);
constexpr QRect kGrid(20, kTop + kBand + 8, 860, 420);
constexpr QRect kEmptyList(20, kGrid.top() + 60, 860, 360);
constexpr int kListRowHeight = 36;
constexpr int kDetailRowHeight = 38;
constexpr QRect kProgress(20, kGrid.bottom() + 9, 500, 26);
constexpr QRect kHint(20, kGrid.bottom() + 39, 860, 28);
} // namespace records

namespace photos {
constexpr QSize kWindow(1000, 690);
constexpr int kBand = 52;
constexpr int kBody = kTop + kBand + 10;
constexpr QRect kHeading(20, kTop + 10, 400, 32);
constexpr QRect kProgressBar(430, kTop + 16, 220, 20);
constexpr QRect kPages(20, kBody, 240, 330);
constexpr QRect kResult(20, kPages.bottom() + 10, 240, kWindow.height() - kPages.bottom() - 30);
constexpr QRect kPage(272, kBody, 480, kWindow.height() - kBody - 20);
constexpr QRect kCorrector(766, kBody, 214, kPage.height());
constexpr QSize kCropBox(214, 110);
} // namespace photos

namespace chart {
constexpr QSize kWindow(900, 600);
constexpr int kBand = 52;
constexpr int kBandRow = kTop + kBand / 2 - 16;
constexpr QRect kTypeCaption(20, kBandRow, 60, 32);
constexpr QRect kTypeChooser(78, kBandRow, 210, 32);
constexpr QRect kSummary(306, kBandRow, 464, 32);
// With nothing to chart, the summary line starts where the type would be chosen.
constexpr QRect kEmptySummary(20, kBandRow, 730, 32);
constexpr int kChartTop = kTop + kBand + 4;
constexpr QRect kChart(14, kChartTop, 872, 470);
constexpr QRect kEmptyNote(20, kChartTop + 60, 860, 350);
constexpr QRect kHint(20, kChartTop + 476, 860, 26);
} // namespace chart

} // namespace quizlayout

namespace quizpalette {

constexpr QRgb kGridLine = 0xc8d8ea;
constexpr QRgb kCurrentRow = 0xfff1b8;
constexpr QRgb kPlaceholderDash = 0xb9d0ea;
constexpr QRgb kRightInk = 0x1a8f2e; // all right, and the correct answer beside a wrong one
// The answer column: light cyan behind blue digits, easy to tell from the questions; the
// current answer framed in orange.
constexpr QRgb kAnswerBack = 0x80ffff;
constexpr QRgb kAnswerInk = 0x0000ff;
constexpr QRgb kCurrentFrame = 0xff8c00;
constexpr QRgb kWrongRow = 0xffe6e6;
constexpr QRgb kExpectedInk = 0x707070;
// The action cell of a record: blue to look at a marked test, orange to answer on.
constexpr QRgb kLookAction = 0x2f7fd8;
constexpr QRgb kAnswerAction = 0xf08a1c;
// The progress chart.
constexpr QRgb kSpeedInk = 0xb07020;
constexpr QRgb kChartGrid = 0xdde6f0;
constexpr QRgb kChartHint = 0x5a7090;
constexpr QRgb kTipInk = 0x333333;
// What the reader made of a photographed answer: right, wrong, not sure; the room being
// checked.
constexpr QRgb kReadRight = 0x1e8e3e;
constexpr QRgb kReadWrong = 0xd93025;
constexpr QRgb kUnsureInk = 0xe69500;
constexpr QRgb kCheckedRoom = 0x1f6fd8;
// A point's level: green, blue, violet, orange, red from 一级 to 五级.
constexpr QRgb kLevels[] = { 0x2ea04c, 0x1e8ad6, 0x8e52d6, 0xf08c00, 0xd8343c };

} // namespace quizpalette
