#include "arguments.h"
#include "commands.h"
#include "commonoptions.h"
#include "output.h"

#include "generate/catalogue.h"
#include "quiz/mistakesheet.h"
#include "sheetpainter.h"
#include "program/appcontext.h"
#include "store/database.h"
#include "quiz/mistakebook.h"

using namespace Qt::Literals::StringLiterals;
using namespace commonoptions;

int runMistakesCommand(const QStringList &args)
{
    const QList<OptionSpec> options = {
        database(),
        child(),
        { u"type"_s, u"T"_s, u"只列出题型 T 的错题"_s },
        { u"sheet"_s, QString(), u"把错题排成卷子，写进 --pdf 和 --answers-pdf"_s },
        { u"columns"_s, u"C"_s, u"卷子的列数 2 到 5，默认 3"_s },
        { u"pdf"_s, u"FILE"_s, u"错题卷（与 --sheet 同用）"_s },
        { u"answers-pdf"_s, u"FILE"_s, u"错题卷的答案（与 --sheet 同用）"_s },
        help(),
    };
    const Arguments arguments(args, options);
    if (helpAsked(arguments,
            u"qrta-cli mistakes [--database PATH] [--child NAME] [--type T]\n"
            "                         [--sheet [--columns C] [--pdf FILE] [--answers-pdf FILE]]"_s,
            u"列出错题本里还要再练的题，最早的在前，以制表符分隔："
            "题型 难度 题目 答案 错的次数 之后对的次数 最近一次。"_s,
            options))
        return flushOut();
    const qint64 type = arguments.integer(u"type"_s, 1, catalogue::kTypeCount, 0);
    const auto columns = qint16(arguments.integer(u"columns"_s, 2, 5, 3));
    const bool sheet = arguments.has(u"sheet"_s);
    if (!sheet && (arguments.has(u"pdf"_s) || arguments.has(u"answers-pdf"_s)))
        throw UsageError(u"--pdf 和 --answers-pdf 要与 --sheet 一起用"_s);
    if (sheet && !arguments.has(u"pdf"_s) && !arguments.has(u"answers-pdf"_s))
        throw UsageError(u"--sheet 需要 --pdf 或 --answers-pdf"_s);

    checkOutputs(arguments, { u"pdf"_s, u"answers-pdf"_s });
    const auto file = openAsProgram(arguments);
    const QList<Mistake> mistakes
        = MistakeBook(file->database(), childOf(arguments, file->database()))
              .toLearn(type ? std::optional<qint16>(qint16(type)) : std::nullopt);
    if (sheet) {
        const MistakeSheets sheets = mistakeSheets(mistakes, columns, QDateTime::currentDateTime());
        QString error;
        int status = 0;
        const auto write = [&](const QString &option, const SheetDocument &document) {
            if (arguments.has(option) && !writeSheetPdf(document, arguments.text(option), &error)) {
                writeError(u"qrta-cli mistakes: %1\n"_s.arg(error));
                status = 1;
            }
        };
        write(u"pdf"_s, sheets.questions);
        write(u"answers-pdf"_s, sheets.answers);
        return status;
    }
    OutputBuffer out;
    for (const Mistake &m : mistakes) {
        out.line(QStringList { QString::number(m.type), QString::number(m.level), m.question,
            m.answer, QString::number(m.wrongCount), QString::number(m.rightSince),
            m.lastSeen.toString(Qt::ISODate) }
                     .join(u'\t'));
    }
    return out.finish();
}
