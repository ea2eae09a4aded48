#pragma once

#include "sheetentry.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>

class QuestionMaker;

// One generated worksheet: distinct question lines laid out row by row, left
// to right, in as many columns as chosen. The question sheet shows each line
// up to its "＝", or a blank question with its brackets emptied; the answer sheet
// the whole line, a blank question with its number in the brackets.
class Worksheet
{
public:
    // Asks the maker for lines until the sheet holds columns × rows distinct
    // lines or 3 × columns × rows − 1 lines have been asked for; a type and
    // level with fewer distinct questions leaves the sheet partly filled.
    static Worksheet generate(QuestionMaker &maker, qint16 type, qint16 level, qint16 columns,
        qint16 rows, const QDateTime &now);
    // The same for questions of a form: carrying or not, with a blank.
    static Worksheet generate(QuestionMaker &maker, const QuestionForm &form, qint16 columns,
        qint16 rows, const QDateTime &now);
    // The same with any source of lines, one call per attempt.
    static Worksheet generate(const std::function<QString()> &nextLine, qint16 type, qint16 level,
        qint16 columns, qint16 rows, const QDateTime &now);

    // A mixed sheet (综合练习): the questions of each entry, distinct across the whole sheet,
    // entry after entry or, with shuffle, mixed. An entry that cannot reach its count within
    // 3 × count attempts stays short, and *shortfalls says which and how short, in Chinese.
    // Type and level are 0; the sheet's number says type "00".
    static Worksheet generateMixed(QuestionMaker &maker, const QList<SheetEntry> &entries,
        qint16 columns, bool shuffle, const QDateTime &now, QStringList *shortfalls);

    bool isMixed() const { return !m_entries.isEmpty(); }
    const QList<SheetEntry> &entries() const { return m_entries; }
    // The type and level a line was made at: the sheet's, or its entry's on a mixed sheet.
    QuestionForm formOfLine(int index) const;
    // What titles and answer sheets call the sheet's type and level: "A + B" and "三级", or
    // "综合练习" and the entries' levels for a mixed sheet.
    QString typeName() const;
    QString levelName() const;

    qint16 type() const { return m_type; }
    qint16 level() const { return m_level; }
    qint16 columns() const { return m_columns; }
    const QStringList &lines() const { return m_lines; }
    int questionCount() const { return int(m_lines.size()); }
    int rowCount() const;
    const QString &number() const { return m_number; }
    // A sheet filed to be photographed takes the next free number where its own is taken.
    void renumber(const QString &number) { m_number = number; }
    // The same lines in another number of columns (at least one), where the chosen ones are
    // too narrow to print them in.
    void setColumns(qint16 columns) { m_columns = std::max<qint16>(1, columns); }
    // 竖式: each question printed in columns on squares below its line, the answer sheet with
    // the whole working.
    bool isVertical() const { return m_vertical; }
    void setVertical(bool vertical) { m_vertical = vertical; }

    enum class Sheet { Questions, Answers };
    // The text of a cell, empty past the last question.
    QString cell(Sheet sheet, int row, int column) const;
    QList<QStringList> table(Sheet sheet) const;

private:
    qint16 m_type = 0;
    qint16 m_level = 0;
    qint16 m_columns = 2;
    bool m_vertical = false;
    QStringList m_lines;
    QString m_number;
    QList<SheetEntry> m_entries;
    QList<qsizetype> m_entryOfLine; // of a mixed sheet, beside m_lines
};

// The printed title: every "题型", "难度" and "数量" of the template replaced.
QString sheetTitle(const QString &titleTemplate, qint16 type, qint16 level, int questionCount);
QString sheetTitle(const QString &titleTemplate, const Worksheet &sheet);

// Page texts: "\t" separates the left, centre and right sections, "\p" is the
// page number and "\P" the number of pages.
QString questionPageHeader(const QString &title);
QString questionPageFooter(const QString &sheetNumber);
QString answerPageHeader(qint16 type, qint16 level, int questionCount, const QString &sheetNumber);
QString answerPageHeader(const Worksheet &sheet);
QString answerPageFooter(const QDateTime &now);
