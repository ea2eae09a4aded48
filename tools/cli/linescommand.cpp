#include "arguments.h"
#include "commands.h"
#include "output.h"

#include "generate/catalogue.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QList<OptionSpec> &lineOptions()
{
    static const QList<OptionSpec> specs = {
        { u"type"_s, u"T"_s, u"题型 1 到 10（必需）"_s },
        { u"level"_s, u"L"_s, u"难度，题型 1–9 为 1 到 5，题型 10 为 1 到 3（必需）"_s },
        { u"count"_s, u"N"_s, u"题数，1 到 1000000，默认 1"_s },
        { u"seed"_s, u"S"_s, u"随机种子（非负整数）；同一种子出同样的题，缺省时取时钟"_s },
        { u"help"_s, QString(), u"显示本说明"_s },
    };
    return specs;
}

} // namespace

int runLinesCommand(const QStringList &args)
{
    const Arguments arguments(args, lineOptions());
    if (arguments.has(u"help"_s)) {
        writeOut(formatHelp(u"qrta-cli lines --type T --level L [--count N] [--seed S]"_s,
                            u"按题型与难度出题，每行一道，题目与答案之间是“＝”，原样输出（行首空格保留）。"_s,
                            lineOptions()));
        return flushOut();
    }

    const auto type = qint16(arguments.integer(u"type"_s, 1, catalogue::kTypeCount));
    const auto level = qint16(arguments.integer(u"level"_s, 1, catalogue::kMaxLevel));
    if (!catalogue::offersLevel(type, level))
        throw UsageError(u"题型 %1 没有难度 %2（可选 1 到 %3）"_s.arg(type).arg(level).arg(
                catalogue::levelCount(type)));
    const qint64 count = arguments.integer(u"count"_s, 1, 1000000, 1);

    SeededRandom rnd;
    if (arguments.has(u"seed"_s))
        rnd.reseed(arguments.unsignedInteger(u"seed"_s));
    else
        rnd.reseedFromClock();

    QuestionMaker maker(rnd);
    OutputBuffer out;
    for (qint64 i = 0; i < count; ++i)
        out.line(maker.make(type, level));
    return out.finish();
}
