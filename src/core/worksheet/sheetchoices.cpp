#include "sheetchoices.h"

#include "generate/catalogue.h"
#include "generate/numbers.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The field as a whole number within [low, high], or fallback.
qint16 field(const QStringList &fields, int index, int low, int high, qint16 fallback)
{
    if (index >= fields.size())
        return fallback;
    bool ok = false;
    const double number = fields.at(index).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return fallback;
    const double rounded = roundHalfEven(number);
    return rounded >= low && rounded <= high ? qint16(rounded) : fallback;
}

} // namespace

SheetChoices SheetChoices::fromSetting(const QString &value, qint16 type)
{
    SheetChoices choices;
    if (value.isEmpty())
        return choices;
    const QStringList fields = value.split(u'\\');
    const int levels = std::max<int>(1, catalogue::levelCount(type));
    choices.level = field(fields, 0, 1, levels, choices.level);
    choices.columns = field(fields, 1, 2, sheetformat::kMaxColumns, choices.columns);
    choices.rows = field(fields, 2, 1, sheetformat::kMaxRows, choices.rows);
    choices.font = field(fields, 3, 1, 5, choices.font);
    choices.rowHeight = field(fields, 4, 1, 5, choices.rowHeight);
    return choices;
}

QString SheetChoices::toSetting() const
{
    return u"%1\\%2\\%3\\%4\\%5"_s.arg(level).arg(columns).arg(rows).arg(font).arg(rowHeight);
}

namespace sheetformat {

QStringList fontCaptions()
{
    return { u"小四"_s, u"四号"_s, u"三号"_s, u"小二"_s, u"二号"_s };
}

QStringList rowHeightCaptions()
{
    return { u"整页"_s, u"较小"_s, u"适合"_s, u"较大"_s, u"最大"_s };
}

QStringList columnCaptions()
{
    return { u"2 列"_s, u"3 列"_s, u"4 列"_s, u"5 列"_s };
}

int fontPoints(qint16 font)
{
    static constexpr int kPoints[5] = { 12, 14, 16, 18, 22 };
    return kPoints[std::clamp<int>(font, 1, 5) - 1];
}

int baseRowHeightTwips(qint16 font)
{
    // Forty twips a point, except 二号, whose rows were set at 840, not 880.
    static constexpr int kHeights[5] = { 480, 560, 640, 720, 840 };
    return kHeights[std::clamp<int>(font, 1, 5) - 1];
}

double rowHeightTwips(qint16 rowHeight, qint16 font, qint16 rows)
{
    const double base = baseRowHeightTwips(font);
    switch (rowHeight) {
    case 1:
        return roundHalfEven(14400.0 / std::max<int>(1, rows));
    case 2:
        return base * 0.85;
    case 4:
        return base * 1.25;
    case 5:
        return base * 1.5;
    default:
        return base;
    }
}

double columnWidthTwips(qint16 columns)
{
    return 10655.0 / std::clamp<int>(columns, 1, kMaxColumns);
}

} // namespace sheetformat
