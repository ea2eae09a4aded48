#include "worksheet.h"

#include "formatstamp.h"
#include "generate/catalogue.h"
#include "generate/questionline.h"
#include "generate/questionmaker.h"

#include <QLocale>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

Worksheet Worksheet::generate(QuestionMaker &maker, qint16 type, qint16 level, qint16 columns,
    qint16 rows, const QDateTime &now)
{
    return generate([&] { return maker.make(type, level); }, type, level, columns, rows, now);
}

Worksheet Worksheet::generate(const std::function<QString()> &nextLine, qint16 type, qint16 level,
    qint16 columns, qint16 rows, const QDateTime &now)
{
    Worksheet sheet;
    sheet.m_type = type;
    sheet.m_level = level;
    sheet.m_columns = columns;

    const int cells = columns * rows;
    const int attemptLimit = 3 * cells;
    QSet<QString> seen;
    seen.reserve(cells);
    for (int attempt = 1; attempt < attemptLimit && sheet.m_lines.size() < cells; ++attempt) {
        const QString line = nextLine();
        if (!seen.contains(line)) {
            seen.insert(line);
            sheet.m_lines << line;
        }
    }
    sheet.m_number = recordNumber(type, level, sheet.questionCount(), now);
    return sheet;
}

QList<Worksheet> generateClassSet(QuestionMaker &maker, qint16 type, qint16 level, qint16 columns,
    qint16 rows, const QDateTime &now, int copies)
{
    QList<Worksheet> sheets;
    for (int copy = 0; copy < copies; ++copy)
        sheets << Worksheet::generate(maker, type, level, columns, rows, now.addSecs(copy));
    return sheets;
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
    return sheet == Sheet::Answers ? line : splitQuestionLine(line).question;
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

QString sheetTitle(const QString &titleTemplate, qint16 type, qint16 level, int questionCount)
{
    QString title = titleTemplate;
    title.replace(u"题型"_s, catalogue::typeName(type));
    title.replace(u"难度"_s, catalogue::levelName(level));
    title.replace(u"数量"_s, QString::number(questionCount));
    return title;
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
    return u"\\t【"_s + catalogue::typeName(type) + u"】〖"_s + catalogue::levelName(level)
        + u"〗"_s + QString::number(questionCount) + u" 题（"_s + sheetNumber + u"）答案"_s;
}

QString answerPageFooter(const QDateTime &now)
{
    // Chinese like every text of the program, whatever the system's language.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QString stamp = chinese.toString(now.date(), QLocale::ShortFormat) + u' '
        + now.time().toString(u"HH:mm:ss"_s);
    return u"\\t【"_s + stamp + u"】"_s + QString(40, u' ') + u"〖 第\\p页，共\\P页 〗"_s;
}
