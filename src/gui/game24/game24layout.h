#pragma once

#include <QRect>

// Where the parts of the 24-point window lie. The window puts its widgets there; the backdrop
// picture (resources/pictures/game24art.py) draws the table, the notebook and the boxes behind
// them from the same numbers, so a change here is made there too.
namespace game24layout {

constexpr QSize kWindow(900, 620);

constexpr QRect kLevelCaption(24, 46, 58, 34);
constexpr QRect kLevelList(82, 46, 238, 34);
constexpr QRect kProgress(416, 46, 160, 34);

// The green table with the cards and the operations.
constexpr QRect kTable(16, 92, 560, 470);
constexpr QRect kHint(16, 98, 560, 28);
// A card widget holds its face and, around it, room for the shadow.
constexpr QSize kCard(128, 156);
constexpr QSize kFinalCard(168, 156);
constexpr int kNumberRow = 128;
constexpr int kOperationRow = 292;
constexpr int kResultRow = 388;
constexpr int kCardColumns[4] { 25, 163, 301, 439 };
constexpr int kOperationColumns[4] { 87, 199, 311, 423 };
constexpr int kFinalColumn = 403;
// Card 0-3 the numbers, 4 and 5 the results of the first two steps under them, 6 the last.
constexpr QRect cardGeometry(int card)
{
    if (card < 4)
        return { QPoint(kCardColumns[card], kNumberRow), kCard };
    if (card < 6)
        return { QPoint(kCardColumns[card - 4], kResultRow), kCard };
    return { QPoint(kFinalColumn, kResultRow), kFinalCard };
}
// The arrow from the step results to the final card.
constexpr QRect kArrow(305, 440, 92, 52);

// The notebook of the step lines.
constexpr QRect kNotebook(592, 92, 292, 228);
constexpr QRect kNotebookTitle(604, 100, 120, 30);
constexpr int kStepRows[3] { 146, 204, 262 };
constexpr int kStepHeight = 44;
constexpr int kStepBadgeX = 606;
constexpr int kStepTextX = 646;
constexpr int kStepTextWidth = 230;

constexpr QRect kVerdictBox(592, 332, 292, 148);
constexpr QPoint kVerdictAt(648, 341);
constexpr QRect kAnswerBox(592, 492, 292, 70);

constexpr QRect kKeysHint(20, 574, 250, 40);
constexpr int kButtonRow = 579;
constexpr int kButtonColumns[4] { 482, 585, 688, 791 };
constexpr int kHintButtons[2] { 276, 379 };

} // namespace game24layout
