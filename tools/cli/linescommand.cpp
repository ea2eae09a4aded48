#include "arguments.h"
#include "commonoptions.h"
#include "commands.h"
#include "output.h"

#include "generate/catalogue.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QList<OptionSpec> &lineOptions()
{
    static const QList<OptionSpec> options = {
        commonoptions::type(),
        commonoptions::level(),
        commonoptions::carry(),
        commonoptions::blank(),
        { u"count"_s, u"N"_s, u"题数，1 到 1000000，默认 1"_s },
        commonoptions::seed(),
        commonoptions::help(),
    };
    return options;
}

} // namespace

int runLinesCommand(const QStringList &args)
{
    const Arguments arguments(args, lineOptions());
    if (commonoptions::helpAsked(arguments,
            u"qrta-cli lines --type T --level L [--carry with|without]\n"
            "                      [--blank first|second|third|any] [--count N] [--seed S]"_s,
            u"按题型与难度出题，每行一道，题目与答案之间是“＝”，原样输出（行首空格保留）。"
            "填空题每行三栏，以 TAB 分开：整道题、带空的题目、填进空里的数。"_s,
            lineOptions()))
        return flushOut();

    const QuestionForm form = commonoptions::questionForm(arguments);
    const qint64 count = arguments.integer(u"count"_s, 1, 1000000, 1);

    SeededRandom rnd;
    commonoptions::seedFrom(arguments, rnd);

    QuestionMaker maker(rnd);
    OutputBuffer out;
    for (qint64 i = 0; i < count; ++i)
        out.line(commonoptions::printedQuestion(maker.make(form)));
    return out.finish();
}
