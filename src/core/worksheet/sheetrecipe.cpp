#include "sheetrecipe.h"

#include "sheetchoices.h"
#include "worksheet.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"

#include <QSet>

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

namespace {

// How many distinct lines a form has, drawn from a maker of its own until a long run brings
// nothing new. Asked only where a sheet came out short, which only a form of few lines does.
int distinctLines(const QuestionForm &form)
{
    constexpr int kRunWithoutNew = 20000;
    constexpr int kMostDraws = 2000000;
    SeededRandom rnd(1);
    QuestionMaker maker(rnd);
    QSet<QString> seen;
    int sinceNew = 0;
    for (int draw = 0; draw < kMostDraws && sinceNew < kRunWithoutNew; ++draw) {
        const QString line = maker.make(form);
        if (line.isEmpty() || seen.contains(line)) {
            ++sinceNew;
        } else {
            seen.insert(line);
            sinceNew = 0;
        }
    }
    return int(seen.size());
}

} // namespace

QString SheetRecipe::shortNote(const Worksheet &sheet) const
{
    const int wanted = columns * rows;
    if (isMixed() || sheet.questionCount() >= wanted)
        return QString();
    const int distinct = std::max(distinctLines(form), sheet.questionCount());
    return u"这种题只有 %1 道不同的，卷子出了 %2 题（选的是 %3 题）"_s.arg(distinct)
        .arg(sheet.questionCount())
        .arg(wanted);
}

QString SheetRecipe::title(
    const QString &titleTemplate, const Worksheet &sheet, qint16 chosenLevel) const
{
    if (isMixed())
        return sheetTitle(titleTemplate, sheet);
    return sheetTitle(titleTemplate, form.type, chosenLevel, sheet.questionCount());
}
