#include "sheetdocument.h"

#include "worksheet/sheetchoices.h"
#include "worksheet/worksheet.h"

SheetDocument questionDocument(
    const Worksheet &sheet, const SheetChoices &choices, const QString &title)
{
    SheetDocument document;
    document.title = title;
    document.header = questionPageHeader(title);
    document.footer = questionPageFooter(sheet.number());
    document.rows = sheet.table(Worksheet::Sheet::Questions);
    document.columns = sheet.columns();
    // Equal columns on paper, the last one as wide as the first.
    document.columnWidthTwips = sheetformat::columnWidthTwips(sheet.columns());
    document.rowHeightTwips
        = sheetformat::rowHeightTwips(choices.rowHeight, choices.font, choices.rows);
    document.cellPoints = sheetformat::fontPoints(choices.font);
    return document;
}

SheetDocument answerDocument(const Worksheet &sheet, qint16 selectedLevel, const QDateTime &now)
{
    SheetDocument document;
    document.header
        = answerPageHeader(sheet.type(), selectedLevel, sheet.questionCount(), sheet.number());
    document.title = document.header.mid(2); // without the leading section separator
    document.footer = answerPageFooter(now);
    document.rows = sheet.table(Worksheet::Sheet::Answers);
    document.columns = sheet.columns();
    document.columnWidthTwips = sheetformat::columnWidthTwips(sheet.columns());
    // The answer grid has a design of its own: 小四 at its natural height.
    document.cellPoints = sheetformat::fontPoints(1);
    document.rowHeightTwips = sheetformat::baseRowHeightTwips(1);
    return document;
}
