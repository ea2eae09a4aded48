#include "commonoptions.h"

#include "output.h"

#include "children/childlist.h"
#include "generate/blankform.h"
#include "generate/catalogue.h"
#include "generate/randomsource.h"
#include "program/appcontext.h"
#include "store/database.h"
#include "store/datafile.h"

#include <QFileInfo>
#include <QHash>

#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace commonoptions {

OptionSpec type()
{
    return { u"type"_s, u"T"_s, u"题型 1 到 10（必需）"_s };
}

OptionSpec level()
{
    return { u"level"_s, u"L"_s, u"难度，题型 1–9 为 1 到 5，题型 10 为 1 到 3（必需）"_s };
}

OptionSpec seed()
{
    return { u"seed"_s, u"S"_s, u"随机种子（非负整数）；同一种子出同样的题，缺省时取时钟"_s };
}

OptionSpec database()
{
    return { u"database"_s, u"PATH"_s,
        u"数据文件；缺省时用程序旁可写的 QRTA.dat，否则用户数据文件夹里的 QRTA.dat"_s };
}

OptionSpec help()
{
    return { u"help"_s, QString(), u"显示本说明"_s };
}

OptionSpec child()
{
    return { u"child"_s, u"NAME"_s, u"为这个孩子（见 children）；缺省为第一个孩子"_s };
}

qint64 childOf(const Arguments &arguments, Database &db)
{
    return arguments.has(u"child"_s) ? childNamed(db, arguments.text(u"child"_s)).id
                                     : childlist::first(db).id;
}

Child childNamed(Database &db, const QString &name)
{
    const std::optional<Child> child = childlist::find(db, name);
    if (!child)
        throw UsageError(u"没有叫“%1”的孩子"_s.arg(name));
    return *child;
}

OptionSpec carry()
{
    return { u"carry"_s, u"with|without"_s,
        u"只出进位/退位的题（with）或只出不进位、不退位的题（without）；只用于题型 1 到 4"_s };
}

OptionSpec blank()
{
    return {
        u"blank"_s, u"first|second|third|any"_s,
        u"填空题：空出第一个、第二个、第三个（只有题型 4）或随机一个数；用于题型 1、2、3、4、5、7"_s
    };
}

QuestionForm questionForm(const Arguments &arguments)
{
    QuestionForm form;
    std::tie(form.type, form.level) = typeAndLevel(arguments);
    static const QHash<QString, CarryKind> carries
        = { { u"with"_s, CarryKind::With }, { u"without"_s, CarryKind::Without } };
    if (arguments.has(u"carry"_s)) {
        if (!carries.contains(arguments.text(u"carry"_s)))
            throw UsageError(u"--carry 只能是 with 或 without"_s);
        form.carry = carries.value(arguments.text(u"carry"_s));
    }
    if (arguments.has(u"blank"_s)) {
        const std::optional<BlankPlace> place = blankPlaceNamed(arguments.text(u"blank"_s));
        if (!place)
            throw UsageError(u"--blank 只能是 first、second、third 或 any"_s);
        form.blank = *place;
    }
    if (const QString problem = form.problem(); !problem.isEmpty())
        throw UsageError(problem);
    return form;
}

QString printedQuestion(const QString &line)
{
    if (!blankform::isBlank(line))
        return line;
    return blankform::wholeLine(line) + u'\t' + blankform::question(line) + u'\t'
        + blankform::filler(line);
}

std::pair<qint16, qint16> typeAndLevel(const Arguments &arguments)
{
    const auto t = qint16(arguments.integer(u"type"_s, 1, catalogue::kTypeCount));
    const auto l = qint16(arguments.integer(u"level"_s, 1, catalogue::kMaxLevel));
    if (!catalogue::offersLevel(t, l))
        throw UsageError(
            u"题型 %1 没有难度 %2（可选 1 到 %3）"_s.arg(t).arg(l).arg(catalogue::levelCount(t)));
    return { t, l };
}

void seedFrom(const Arguments &arguments, SeededRandom &rnd)
{
    if (arguments.has(u"seed"_s))
        rnd.reseed(arguments.unsignedInteger(u"seed"_s));
    else
        rnd.reseedFromClock();
}

bool helpAsked(const Arguments &arguments, const QString &usage, const QString &summary,
    const QList<OptionSpec> &options)
{
    if (!arguments.has(u"help"_s))
        return false;
    writeOut(formatHelp(usage, summary, options));
    return true;
}

void checkOutputs(const Arguments &arguments, const QStringList &options)
{
    QHash<QString, QString> named;
    for (const QString &option : options) {
        if (!arguments.has(option))
            continue;
        const QString path = arguments.text(option);
        if (path.isEmpty())
            throw UsageError(u"--%1 的取值不能为空"_s.arg(option));
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        const QString file = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
        if (named.contains(file))
            throw UsageError(
                u"--%1 和 --%2 是同一个文件“%3”"_s.arg(named.value(file), option, path));
        named.insert(file, option);
    }
}

std::unique_ptr<AppContext> openAsProgram(const Arguments &arguments, Access access)
{
    const bool named = arguments.has(u"database"_s);
    const QString path = named ? arguments.text(u"database"_s) : datafile::defaultPath();
    if (path.isEmpty())
        throw UsageError(u"--database 的取值不能为空"_s);
    if (!named)
        datafile::prepareDefaultFolder(path);
    auto context = AppContext::open(path, datafile::Role::Tool);
    if (access == Access::Write && context->database().isReadOnly())
        throw DataFileError::unusable(path, DataFileError::Kind::InUseByProgram);
    return context;
}

} // namespace commonoptions
