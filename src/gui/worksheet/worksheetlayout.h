#pragma once

#include "chrome/titlestrip.h"

#include <QPoint>
#include <QRect>
#include <QRgb>

// Where the parts of the worksheet window lie: the choices on the band in three rows with the
// hints under them, the sheet, and the print title with the notes at the foot.
namespace worksheetlayout {

constexpr QSize kWindow(800, 640);
// The sheet on screen is drawn at the scale of paper: 1440 twips to the inch at 96 dpi.
constexpr double kTwipsPerPixel = 15;
constexpr int kBandHeight = 150;

constexpr int kRow1 = TitleStrip::kHeight + 14;
constexpr int kRow2 = kRow1 + 38;
constexpr int kRow3 = kRow2 + 38;
constexpr int kHintRow = kRow3 + 34;

constexpr QRect kLevelCaption(20, kRow1, 80, 26);
constexpr QRect kLevel(96, kRow1, 300, 28);
constexpr QRect kColumnsCaption(410, kRow1, 80, 26);
constexpr QRect kColumns(486, kRow1, 80, 28);
constexpr QRect kRowsCaption(20, kRow2, 80, 26);
constexpr QRect kRows(96, kRow2, 80, 28);
constexpr QRect kFontCaption(190, kRow2, 80, 26);
constexpr QRect kFont(266, kRow2, 80, 28);
constexpr QRect kRowHeightCaption(410, kRow2, 80, 26);
constexpr QRect kRowHeight(486, kRow2, 80, 28);
// A mixed sheet's summary takes the level's place, and its rows follow from its total.
constexpr QRect kMixSummary(96, kRow1, 300, 28);
constexpr QRect kMixRows(96, kRow2, 80, 28);
// Carrying and the blank, or for a mixed sheet the way to its entries.
constexpr QRect kFormCaption(20, kRow3, 80, 26);
constexpr QRect kCarry(96, kRow3, 126, 28);
constexpr QRect kBlank(230, kRow3, 108, 28);
// 竖式, after the last of the form's lists, or of the mixed sheet's button.
constexpr QSize kVertical(52, 28);
constexpr QPoint kEditMix(96, kRow3 - 1);
constexpr QPoint kMixToggle(410, kRow3 - 1);
constexpr QRect kScannable(515, kRow3, 122, 28);
constexpr QRect kCopiesCaption(640, kRow3, 50, 28);
constexpr QRect kCopies(690, kRow3, 93, 28);

constexpr QRect kFirstHint(20, kHintRow, 150, 20);
constexpr QRect kSecondHint(170, kHintRow, 150, 20);
constexpr QRect kSizeNote(320, kHintRow, 484, 20);

// The buttons, in the order of their indices from 生成试题 on.
constexpr QPoint kButtons[4] { { 588, kRow1 - 1 }, { 690, kRow1 - 1 }, { 588, kRow2 - 1 },
    { 690, kRow2 - 1 } };

// The sheet, or the word of how to make one, in the same place.
constexpr QRect kSheet(40, 198, kWindow.width() - 80, 342);

constexpr QRect kTitleLink(40, 556, 250, 26);
constexpr QRect kTitle(290, 555, kWindow.width() - 330, 28);
constexpr QRect kExcelNote(40, 596, 380, 22);
constexpr QRect kPaperNote(440, 596, 320, 22);

// The window's own shades beside the shared ones.
constexpr QRgb kSizeNoteInk = 0xb3541e;
constexpr QRgb kLinkInk = 0x1f5fa8;

// The entry list of a mixed sheet: a new entry's choices on the band, the list with its
// buttons beside it, and the way back at the foot.
namespace mix {
constexpr QSize kWindow(640, 500);
constexpr int kBandHeight = 92;
constexpr int kRow1 = TitleStrip::kHeight + 12;
constexpr int kRow2 = kRow1 + 40;
constexpr QRect kTypeCaption(20, kRow1, 56, 28);
constexpr QRect kType(76, kRow1, 160, 28);
constexpr QRect kLevelCaption(252, kRow1, 56, 28);
constexpr QRect kLevel(308, kRow1, 312, 28);
constexpr QRect kCarry(76, kRow2, 126, 28);
constexpr QRect kBlank(210, kRow2, 168, 28);
constexpr QRect kCountCaption(392, kRow2, 56, 28);
constexpr QRect kCount(448, kRow2, 70, 28);
constexpr QRect kFormCaption(20, kRow2, 56, 28);
constexpr QPoint kAdd(527, kRow2 - 1);
constexpr QRect kList(20, TitleStrip::kHeight + kBandHeight + 14, 490, 270);
// 上移, 下移 and 删除 beside the list, top down.
constexpr QPoint kListButtons[3] { { 527, kList.top() }, { 527, kList.top() + 40 },
    { 527, kList.top() + 80 } };
constexpr QRect kShuffle(20, kList.bottom() + 10, 300, 26);
constexpr QRect kTotal(330, kList.bottom() + 10, 290, 26);
constexpr QRect kHint(20, kWindow.height() - 46, 400, 30);
} // namespace mix

} // namespace worksheetlayout
