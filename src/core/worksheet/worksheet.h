#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class QuestionMaker;

// One generated worksheet: distinct question lines laid out row by row, left
// to right, in as many columns as chosen. The question sheet shows each line
// up to its "＝", the answer sheet the whole line.
class Worksheet
{
public:
    // Asks the maker for lines until the sheet holds columns × rows distinct
    // lines or 3 × columns × rows − 1 lines have been asked for; a type and
    // level with fewer distinct questions leaves the sheet partly filled.
    static Worksheet generate(QuestionMaker &maker, qint16 type, qint16 level, qint16 columns,
        qint16 rows, const QDateTime &now);
    // The same with any source of lines, one call per attempt.
    static Worksheet generate(const std::function<QString()> &nextLine, qint16 type, qint16 level,
        qint16 columns, qint16 rows, const QDateTime &now);

    qint16 type() const { return m_type; }
    qint16 level() const { return m_level; }
    qint16 columns() const { return m_columns; }
    const QStringList &lines() const { return m_lines; }
    int questionCount() const { return int(m_lines.size()); }
    int rowCount() const;
    const QString &number() const { return m_number; }

    enum class Sheet { Questions, Answers };
    // The text of a cell, empty past the last question.
    QString cell(Sheet sheet, int row, int column) const;
    QList<QStringList> table(Sheet sheet) const;

private:
    qint16 m_type = 0;
    qint16 m_level = 0;
    qint16 m_columns = 2;
    QStringList m_lines;
    QString m_number;
};

// A class set: copies sheets of the same kind, each made as a single sheet is.
// Copy k is stamped k seconds after now, so that sheets made within the same
// second still carry different numbers.
QList<Worksheet> generateClassSet(QuestionMaker &maker, qint16 type, qint16 level, qint16 columns,
    qint16 rows, const QDateTime &now, int copies);

// The printed title: every "题型", "难度" and "数量" of the template replaced.
QString sheetTitle(const QString &titleTemplate, qint16 type, qint16 level, int questionCount);

// Page texts: "\t" separates the left, centre and right sections, "\p" is the
// page number and "\P" the number of pages.
QString questionPageHeader(const QString &title);
QString questionPageFooter(const QString &sheetNumber);
QString answerPageHeader(qint16 type, qint16 level, int questionCount, const QString &sheetNumber);
QString answerPageFooter(const QDateTime &now);
