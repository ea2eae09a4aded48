#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Results as a teacher or parent reads them in a spreadsheet: named worksheets of rows, the
// first row the headings. A cell is a text (kept as text, never turned into a date or a
// number), a number, or nothing.
struct ResultTable
{
    QString name;
    QList<int> widths; // of the columns in characters, left to right; the last for the rest
    QList<QVariantList> rows;
};

// As an .xlsx workbook in the program's face, whole or nothing; error says why, in Chinese.
bool writeResultTables(const QList<ResultTable> &tables, const QString &path, QString *error);
