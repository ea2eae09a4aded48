#pragma once

#include <QString>
#include <QStringList>

// The choices of a worksheet: what the per-type setting "txa" stores as
// level\columns\rows\font\row-height, each a whole number.
struct SheetChoices
{
    qint16 level = 1; // 1..5 (1..3 for type 10)
    qint16 columns = 5; // 2..5
    qint16 rows = 10; // 1..100
    qint16 font = 3; // 1..5: 小四 四号 三号 小二 二号
    qint16 rowHeight = 3; // 1..5: 整页 较小 适合 较大 最大

    // A stored value read field by field; a field that is missing, not a
    // number or out of range takes the default above. Numbers are rounded
    // half to even first.
    static SheetChoices fromSetting(const QString &value, qint16 type);
    QString toSetting() const;

    bool operator==(const SheetChoices &) const = default;
};

namespace sheetformat {

inline constexpr int kMaxColumns = 5;
inline constexpr int kMaxRows = 100;

QStringList fontCaptions(); // "小四" … "二号"
QStringList rowHeightCaptions(); // "整页" … "最大"
QStringList columnCaptions(); // "2 列" … "5 列"

int fontPoints(qint16 font); // 12, 14, 16, 18, 22
int baseRowHeightTwips(qint16 font); // 480, 560, 640, 720, 840

// Height of a question row in twips: "整页" divides ten inches by the rows,
// rounded half to even; the others scale the font's base height.
double rowHeightTwips(qint16 rowHeight, qint16 font, qint16 rows);

// The grid is 10655 twips wide, shared equally by the columns.
double columnWidthTwips(qint16 columns);

} // namespace sheetformat
