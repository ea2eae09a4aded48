#include "worksheet.h"

#include "formatstamp.h"
#include "generate/blankform.h"
#include "generate/catalogue.h"
#include "generate/numbers.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"

#include <QLocale>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

// Asks for lines until `wanted` of them are new to `seen`, or 3 × wanted − 1 have been asked
// for: a source with fewer distinct questions leaves the sheet short. Returns how many it took.
int takeDistinct(
    const std::function<QString()> &nextLine, int wanted, QSet<QString> &seen, QStringList &lines)
{
    int taken = 0;
    for (int attempt = 1; attempt < 3 * wanted && taken < wanted; ++attempt) {
        const QString line = nextLine();
        if (!seen.contains(line)) {
            seen.insert(line);
            lines << line;
            ++taken;
        }
    }
    return taken;
}

} // namespace

Worksheet Worksheet::generate(QuestionMaker &maker, qint16 type, qint16 level, qint16 columns,
    qint16 rows, const QDateTime &now)
{
    return generate(maker, QuestionForm { type, level }, columns, rows, now);
}

Worksheet Worksheet::generate(QuestionMaker &maker, const QuestionForm &form, qint16 columns,
    qint16 rows, const QDateTime &now)
{
    return generate([&] { return maker.make(form); }, form.type, form.level, columns, rows, now);
}

Worksheet Worksheet::generate(const std::function<QString()> &nextLine, qint16 type, qint16 level,
    qint16 columns, qint16 rows, const QDateTime &now)
{
    Worksheet sheet;
    sheet.m_type = type;
    sheet.m_level = level;
    sheet.m_columns = columns;

    QSet<QString> seen;
    takeDistinct(nextLine, columns * rows, seen, sheet.m_lines);
    sheet.m_number = recordNumber(type, level, sheet.questionCount(), now);
    return sheet;
}

Worksheet Worksheet::generateMixed(QuestionMaker &maker, const QList<SheetEntry> &entries,
    qint16 columns, bool shuffle, const QDateTime &now, QStringList *shortfalls)
{
    Worksheet sheet;
    sheet.m_columns = columns;
    sheet.m_entries = entries;
    // An entry's form that yields no line counts as a repeat, not as a question.
    QSet<QString> seen { QString() };
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const SheetEntry &entry = entries.at(i);
        const int made = takeDistinct(
            [&] { return maker.make(entry.form); }, entry.count, seen, sheet.m_lines);
        sheet.m_entryOfLine.insert(sheet.m_entryOfLine.size(), made, i);
        if (made < entry.count && shortfalls) {
            *shortfalls
                << u"第 %1 项“%2”只出了 %3 道不同的题"_s.arg(i + 1).arg(entry.caption()).arg(made);
        }
    }
    if (shuffle) {
        for (qsizetype i = sheet.m_lines.size() - 1; i > 0; --i) {
            const qsizetype other = randomInt(0, qint16(i), maker.random());
            sheet.m_lines.swapItemsAt(i, other);
            sheet.m_entryOfLine.swapItemsAt(i, other);
        }
    }
    sheet.m_number = recordNumber(0, 0, sheet.questionCount(), now);
    return sheet;
}

QuestionForm Worksheet::formOfLine(int index) const
{
    if (isMixed() && index >= 0 && index < m_entryOfLine.size())
        return m_entries.at(m_entryOfLine.at(index)).form;
    return { m_type, m_level };
}

QString Worksheet::typeName() const
{
    return isMixed() ? u"综合练习"_s : catalogue::typeName(m_type);
}

QString Worksheet::levelName() const
{
    return isMixed() ? sheetentries::levelNames(m_entries) : catalogue::levelName(m_level);
}

int Worksheet::rowCount() const
{
    return (questionCount() + m_columns - 1) / m_columns;
}

QString Worksheet::cell(Sheet sheet, int row, int column) const
{
    const qsizetype index = qsizetype(row) * m_columns + column;
    if (row < 0 || column < 0 || column >= m_columns || index >= m_lines.size())
        return QString();
    const QString &line = m_lines.at(index);
    if (sheet == Sheet::Answers)
        return blankform::isBlank(line) ? blankform::shown(line) : line;
    return blankform::isBlank(line) ? blankform::question(line) : splitQuestionLine(line).question;
}

QList<QStringList> Worksheet::table(Sheet sheet) const
{
    QList<QStringList> rows;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < m_columns; ++column)
            cells << cell(sheet, row, column);
        rows << cells;
    }
    return rows;
}

namespace {

QString filledTitle(
    const QString &titleTemplate, const QString &type, const QString &level, int questionCount)
{
    QString title = titleTemplate;
    title.replace(u"题型"_s, type);
    title.replace(u"难度"_s, level);
    title.replace(u"数量"_s, QString::number(questionCount));
    return title;
}

QString answerHeader(
    const QString &type, const QString &level, int questionCount, const QString &sheetNumber)
{
    return u"\\t【"_s + type + u"】〖"_s + level + u"〗"_s + QString::number(questionCount)
        + u" 题（"_s + sheetNumber + u"）答案"_s;
}

} // namespace

QString sheetTitle(const QString &titleTemplate, qint16 type, qint16 level, int questionCount)
{
    return filledTitle(
        titleTemplate, catalogue::typeName(type), catalogue::levelName(level), questionCount);
}

QString sheetTitle(const QString &titleTemplate, const Worksheet &sheet)
{
    return filledTitle(titleTemplate, sheet.typeName(), sheet.levelName(), sheet.questionCount());
}

QString questionPageHeader(const QString &title)
{
    return title + u"\\t"_s;
}

QString questionPageFooter(const QString &sheetNumber)
{
    return u"\\t【"_s + sheetNumber + u"】"_s + QString(44, u' ') + u"〖 第\\p页，共\\P页 〗"_s;
}

QString answerPageHeader(qint16 type, qint16 level, int questionCount, const QString &sheetNumber)
{
    return answerHeader(
        catalogue::typeName(type), catalogue::levelName(level), questionCount, sheetNumber);
}

QString answerPageHeader(const Worksheet &sheet)
{
    return answerHeader(sheet.typeName(), sheet.levelName(), sheet.questionCount(), sheet.number());
}

QString answerPageFooter(const QDateTime &now)
{
    // Chinese like every text of the program, whatever the system's language.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QString stamp = chinese.toString(now.date(), QLocale::ShortFormat) + u' '
        + now.time().toString(u"HH:mm:ss"_s);
    return u"\\t【"_s + stamp + u"】"_s + QString(40, u' ') + u"〖 第\\p页，共\\P页 〗"_s;
}
