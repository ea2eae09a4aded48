#include "sheetdocument.h"

#include "generate/blankform.h"
#include "generate/questionline.h"
#include "sheetchoices.h"
#include "worksheet.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

SheetDocument questionDocument(
    const Worksheet &sheet, const SheetChoices &choices, const QString &title)
{
    SheetDocument document;
    document.title = title;
    document.fileName = sheet.number();
    document.header = questionPageHeader(title);
    document.footer = questionPageFooter(sheet.number());
    document.rows = sheet.table(Worksheet::Sheet::Questions);
    document.columns = sheet.columns();
    // Equal columns on paper, the last one as wide as the first.
    document.columnWidthTwips = sheetformat::columnWidthTwips(sheet.columns());
    document.rowHeightTwips
        = sheetformat::rowHeightTwips(choices.rowHeight, choices.font, choices.rows);
    document.cellPoints = sheetformat::fontPoints(choices.font);
    // The squares below a 竖式 hold the working; the result goes after "＝" in the cell.
    document.vertical = sheet.isVertical();
    if (document.vertical)
        return document;
    // A blank question is answered inside its brackets and needs no room after it.
    for (const QString &line : sheet.lines()) {
        if (!blankform::isBlank(line))
            document.answerLength
                = std::max(document.answerLength, int(splitQuestionLine(line).answer.size()));
    }
    return document;
}

SheetDocument answerDocument(const Worksheet &sheet, qint16 selectedLevel, const QDateTime &now)
{
    SheetDocument document;
    document.header = sheet.isMixed()
        ? answerPageHeader(sheet)
        : answerPageHeader(sheet.type(), selectedLevel, sheet.questionCount(), sheet.number());
    document.title = document.header.mid(2); // without the leading section separator
    document.fileName = sheet.number() + u"_答案"_s;
    document.footer = answerPageFooter(now);
    document.rows = sheet.table(Worksheet::Sheet::Answers);
    document.columns = sheet.columns();
    document.columnWidthTwips = sheetformat::columnWidthTwips(sheet.columns());
    // The answer grid has a design of its own: 小四 at its natural height.
    document.cellPoints = sheetformat::fontPoints(1);
    document.rowHeightTwips = sheetformat::baseRowHeightTwips(1);
    document.vertical = sheet.isVertical();
    document.showsWorking = document.vertical;
    return document;
}
