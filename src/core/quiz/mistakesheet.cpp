#include "mistakesheet.h"

#include "generate/blankform.h"
#include "worksheet/sheetchoices.h"
#include "worksheet/worksheet.h"

using namespace Qt::Literals::StringLiterals;

MistakeSheets mistakeSheets(const QList<Mistake> &mistakes, qint16 columns, const QDateTime &now)
{
    // The book's questions, each once, laid out as any sheet is.
    int next = 0;
    const auto lines = [&mistakes, &next]() -> QString {
        const Mistake &m = mistakes.at(next++ % mistakes.size());
        // A question with a blank is answered inside it, as on any sheet.
        return blankform::isBlank(m.question) ? blankform::filledIn(m.question, m.answer)
                                              : m.question + u' ' + m.answer;
    };
    const int count = int(mistakes.size());
    const auto rows = qint16(std::max(1, (count + columns - 1) / columns));
    const Worksheet sheet
        = count == 0 ? Worksheet() : Worksheet::generate(lines, 0, 0, columns, rows, now);

    SheetChoices choices;
    choices.columns = columns;
    choices.rows = rows;
    const QString title = u"错题本 %1"_s.arg(now.date().toString(u"yyyy年M月d日"_s));
    MistakeSheets sheets;
    sheets.questions = questionDocument(sheet, choices, title);
    sheets.questions.footer
        = u"\\t共 %1 题"_s.arg(count) + QString(20, u' ') + u"〖 第\\p页，共\\P页 〗"_s;
    sheets.answers = questionDocument(sheet, choices, title + u"（答案）"_s);
    sheets.answers.rows = sheet.table(Worksheet::Sheet::Answers);
    sheets.answers.answerLength = 0;
    sheets.answers.footer = sheets.questions.footer;
    sheets.questions.fileName = u"错题本_%1"_s.arg(now.date().toString(u"yyyyMMdd"_s));
    sheets.answers.fileName = sheets.questions.fileName + u"_答案"_s;
    return sheets;
}
