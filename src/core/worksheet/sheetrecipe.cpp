#include "sheetrecipe.h"

#include "sheetchoices.h"
#include "worksheet.h"

using namespace Qt::Literals::StringLiterals;

int SheetRecipe::mixedTotal() const
{
    int total = 0;
    for (const SheetEntry &entry : entries)
        total += entry.count;
    return total;
}

qint16 SheetRecipe::sheetRows() const
{
    if (!isMixed())
        return rows;
    return qint16(std::min((mixedTotal() + columns - 1) / columns, sheetformat::kMaxRows + 1));
}

QString SheetRecipe::problem() const
{
    if (!isMixed())
        return form.problem();
    for (const SheetEntry &entry : entries) {
        const QString problem = entry.form.problem();
        if (!problem.isEmpty())
            return u"“%1”：%2"_s.arg(entry.caption(), problem);
    }
    const int total = mixedTotal();
    const int needed = (total + columns - 1) / columns;
    if (needed > sheetformat::kMaxRows) {
        return u"一共 %1 题，%2 列要 %3 行，最多 %4 行"_s.arg(total).arg(columns).arg(needed).arg(
            sheetformat::kMaxRows);
    }
    return QString();
}

Worksheet SheetRecipe::make(
    QuestionMaker &maker, const QDateTime &now, QStringList *shortfalls) const
{
    if (isMixed())
        return Worksheet::generateMixed(maker, entries, columns, shuffle, now, shortfalls);
    return Worksheet::generate(maker, form, columns, rows, now);
}

QString SheetRecipe::title(
    const QString &titleTemplate, const Worksheet &sheet, qint16 chosenLevel) const
{
    if (isMixed())
        return sheetTitle(titleTemplate, sheet);
    return sheetTitle(titleTemplate, form.type, chosenLevel, sheet.questionCount());
}
