#pragma once

#include "chrome/titlestrip.h"

#include <QPoint>
#include <QRect>
#include <QRgb>

// Where the parts of the worksheet window lie: the choices on the band in two rows with the
// hints under them, the sheet, and the print title with the notes at the foot.
namespace worksheetlayout {

constexpr QSize kWindow(800, 640);
// The sheet on screen is drawn at the scale of paper: 1440 twips to the inch at 96 dpi.
constexpr double kTwipsPerPixel = 15;
constexpr int kBandHeight = 112;

constexpr int kRow1 = TitleStrip::kHeight + 14;
constexpr int kRow2 = kRow1 + 38;
constexpr int kHintRow = kRow2 + 34;

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
constexpr QRect kCopiesCaption(640, kRow2 + 33, 50, 24);
constexpr QRect kCopies(690, kRow2 + 33, 93, 24);

constexpr QRect kFirstHint(20, kHintRow, 150, 20);
constexpr QRect kSecondHint(170, kHintRow, 150, 20);
constexpr QRect kSizeNote(320, kHintRow, 318, 20);

// The buttons, in the order of their indices from 生成试题 on.
constexpr QPoint kButtons[4] { { 588, kRow1 - 1 }, { 690, kRow1 - 1 }, { 588, kRow2 - 1 },
    { 690, kRow2 - 1 } };

// The sheet, or the word of how to make one, in the same place.
constexpr QRect kSheet(40, 160, kWindow.width() - 80, 380);

constexpr QRect kTitleLink(40, 556, 250, 26);
constexpr QRect kTitle(290, 555, kWindow.width() - 330, 28);
constexpr QRect kExcelNote(40, 596, 380, 22);
constexpr QRect kPaperNote(440, 596, 320, 22);

// The window's own shades beside the shared ones.
constexpr QRgb kSizeNoteInk = 0xb3541e;
constexpr QRgb kLinkInk = 0x1f5fa8;

} // namespace worksheetlayout
