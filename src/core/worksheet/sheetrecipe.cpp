#include "sheetrecipe.h"

#include "columnform.h"
#include "sheetchoices.h"
#include "worksheet.h"

#include "generate/catalogue.h"
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
    // What cannot be written in columns, said before anything is made.
    const auto verticalProblem = [this](const QuestionForm &form) -> QString {
        if (!vertical)
            return QString();
        if (!columnform::offersType(form.type))
            return u"“%1”不能出竖式：竖式只有 A + B、A - B、A ± B、A±B±C、A × B 和 A ÷ B"_s.arg(
                catalogue::typeName(form.type));
        if (form.blank != BlankPlace::None)
            return u"竖式不能填空：%1"_s.arg(QuestionForm::blankName(form.blank));
        return QString();
    };
    if (!isMixed()) {
        const QString problem = form.problem();
        return problem.isEmpty() ? verticalProblem(form) : problem;
    }
    for (const SheetEntry &entry : entries) {
        QString problem = entry.form.problem();
        if (problem.isEmpty())
            problem = verticalProblem(entry.form);
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
    Worksheet sheet = isMixed()
        ? Worksheet::generateMixed(maker, entries, columns, shuffle, now, shortfalls)
        : Worksheet::generate(maker, form, columns, rows, now);
    sheet.setVertical(vertical);
    return sheet;
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
