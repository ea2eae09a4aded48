#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Worksheet;
struct SheetChoices;
class QDateTime;

// What goes on paper for one sheet: the cells row by row and the page texts.
// "\t" in a page text separates its left, centre and right sections; "\p"
// stands for the page number and "\P" for the number of pages.
struct SheetDocument
{
    QString title; // the document title of a PDF
    QString fileName; // what a saved copy is called unless the user says otherwise, no suffix
    QString header;
    QString footer;
    qreal headerPoints = 12;
    qreal footerPoints = 10;
    QList<QStringList> rows;
    int columns = 2;
    double columnWidthTwips = 0;
    double rowHeightTwips = 0;
    qreal cellPoints = 16; // as chosen; the layout may have to print smaller
    // Characters of the longest answer, written by hand after every line;
    // 0 where the lines print their answers.
    int answerLength = 0;
    // 竖式: each cell's line with its column form on squares below it; the answer sheet's with
    // the working.
    bool vertical = false;
    bool showsWorking = false;
    // A question sheet printed to be photographed: its number, in the code of every page
    // beside the corner marks. Empty for a plain sheet.
    QString scanNumber;
    // The check in each page's code, first page first, once the sheet is filed.
    QStringList scanChecks;
};

// The question sheet in the chosen font and row height, headed by the title.
SheetDocument questionDocument(
    const Worksheet &sheet, const SheetChoices &choices, const QString &title);

// The answer sheet: whole lines, in the answer grid's own font and height.
SheetDocument answerDocument(const Worksheet &sheet, qint16 selectedLevel, const QDateTime &now);
