#include "arguments.h"
#include "commonoptions.h"
#include "commands.h"
#include "output.h"

#include "children/childlist.h"
#include "children/gradebook.h"
#include "program/appcontext.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

using namespace commonoptions;

int runChildrenCommand(const QStringList &args)
{
    const QList<OptionSpec> options = {
        database(),
        { u"add"_s, u"NAME"_s, u"添加一个孩子（名字 1～20 个字，不能重名，不能含制表符或换行）"_s },
        { u"class"_s, u"C"_s, u"与 --add 一起：孩子所在的班级；与 --import 一起：名单的班级"_s },
        { u"rename"_s, u"OLD"_s, u"把孩子 OLD 改名，新名字写在其后：--rename OLD NEW"_s },
        { u"remove"_s, u"NAME"_s,
            u"删除一个孩子；有测试记录时须加 --with-records，连同记录和错题一起删除"_s },
        { u"with-records"_s, QString(), u"与 --remove 一起：连同测试记录和错题本一起删除"_s },
        { u"import"_s, u"FILE"_s,
            u"导入名单：UTF-8 文本，每行一个名字，跳过空行；已有的名字和重复的名字不再添加，写在标准错误里"_s },
        help(),
    };
    const Arguments arguments(args, options, Arguments::Files::Taken);
    if (helpAsked(arguments,
            u"qrta-cli children [--database PATH] [--add NAME [--class C] | --rename OLD NEW |"
            " --remove NAME [--with-records] | --import FILE --class C]"_s,
            u"逐行列出数据文件里的孩子：名字、班级、测试数、错题本里待重练的题数，以制表符分隔，"
            "按添加的先后（一个班按名单的顺序）。测试、错题本和成绩曲线各归各的孩子；"
            "其余命令都为第一个孩子。"_s,
            options))
        return flushOut();

    const QStringList changes { u"add"_s, u"rename"_s, u"remove"_s, u"import"_s };
    qsizetype asked = 0;
    for (const QString &change : changes)
        asked += arguments.has(change);
    if (asked > 1)
        throw UsageError(u"--add、--rename、--remove、--import 一次只能用一个"_s);
    if (arguments.has(u"rename"_s) ? arguments.files().size() != 1 : !arguments.files().isEmpty())
        throw UsageError(arguments.has(u"rename"_s)
                ? u"--rename 须写成 --rename OLD NEW"_s
                : u"多余的参数“%1”"_s.arg(arguments.files().first()));
    if (arguments.has(u"class"_s) && !arguments.has(u"add"_s) && !arguments.has(u"import"_s))
        throw UsageError(u"--class 只和 --add 或 --import 一起用"_s);
    if (arguments.has(u"import"_s) && !arguments.has(u"class"_s))
        throw UsageError(u"--import 须和 --class 一起用"_s);
    if (arguments.has(u"with-records"_s) && !arguments.has(u"remove"_s))
        throw UsageError(u"--with-records 只和 --remove 一起用"_s);
    // A name that can never be one is a mistake in the command, found before the file opens.
    for (const QString &named : { u"add"_s, u"rename"_s }) {
        const QString name
            = named == u"rename"_s ? arguments.files().value(0) : arguments.text(named);
        if (arguments.has(named))
            if (const QString problem = childlist::problemOf(name); !problem.isEmpty())
                throw UsageError(u"“%1”：%2"_s.arg(name, problem));
    }
    QByteArray list;
    if (arguments.has(u"import"_s)) {
        QFile file(arguments.text(u"import"_s));
        if (!file.open(QIODevice::ReadOnly))
            throw UsageError(u"无法读取名单“%1”"_s.arg(arguments.text(u"import"_s)));
        list = file.readAll();
    }

    const auto file = openAsProgram(arguments, asked > 0 ? Access::Write : Access::Read);
    Database &db = file->database();
    int status = 0;
    try {
        if (arguments.has(u"add"_s)) {
            childlist::add(db, arguments.text(u"add"_s), arguments.text(u"class"_s));
        } else if (arguments.has(u"rename"_s)) {
            childlist::rename(
                db, childNamed(db, arguments.text(u"rename"_s)), arguments.files().first());
        } else if (arguments.has(u"remove"_s)) {
            const Child child = childNamed(db, arguments.text(u"remove"_s));
            const int tests = childlist::testCount(db, child);
            if (tests > 0 && !arguments.has(u"with-records"_s))
                throw UsageError(u"“%1”有 %2 次测试记录；连同记录一起删除请加 --with-records"_s.arg(
                    child.name, QString::number(tests)));
            childlist::remove(db, child);
        } else if (arguments.has(u"import"_s)) {
            const childlist::Imported imported
                = childlist::importList(db, list, arguments.text(u"class"_s));
            for (const QString &skipped : imported.skipped)
                writeError(u"qrta-cli children: 没有添加 %1\n"_s.arg(skipped));
            status = imported.skipped.isEmpty() ? 0 : 1;
        }
    } catch (const ChildError &error) {
        throw UsageError(error.message());
    }

    OutputBuffer out;
    for (const Child &child : childlist::all(db))
        out.line(QStringList { child.name, child.className,
            QString::number(childlist::testCount(db, child)),
            QString::number(childlist::mistakeCount(db, child)) }
                     .join(u'\t'));
    const int written = out.finish();
    return written != 0 ? written : status;
}

int runGradebookCommand(const QStringList &args)
{
    const QList<OptionSpec> options = {
        database(),
        { u"class"_s, u"C"_s, u"班级（见 qrta-cli children）"_s },
        { u"child"_s, u"NAME"_s, u"一个孩子自己的成绩记录，代替 --class"_s },
        { u"xlsx"_s, u"FILE"_s, u"写成 Excel 工作簿（.xlsx）"_s },
        help(),
    };
    const Arguments arguments(args, options);
    if (helpAsked(arguments,
            u"qrta-cli gradebook [--database PATH] (--class C | --child NAME) --xlsx FILE"_s,
            u"把一个班的成绩写成 Excel 工作簿：第一张表“成绩”每个孩子一行（按名单顺序），"
            "每份批改过的卷子或测试一列（卷号的日期、题型和难度），格子里是“对的题数/总题数”，"
            "没有的空着；第二张表“各题型正确率”是每个孩子各题型答对的百分比。"
            "用 --child 时写一个孩子自己的成绩记录：第一张表“测试记录”每次批改过的测试一行"
            "（日期、题型、难度、成绩、正确率、用时，从早到晚），第二张表“各题型正确率”。"_s,
            options))
        return flushOut();
    const bool forClass = arguments.has(u"class"_s);
    if (forClass == arguments.has(u"child"_s))
        throw UsageError(u"须用 --class 说是哪个班，或者用 --child 说是哪个孩子（只说一个）"_s);
    if (forClass && arguments.text(u"class"_s).trimmed().isEmpty())
        throw UsageError(u"须用 --class 说是哪个班"_s);
    checkOutputs(arguments, { u"xlsx"_s });
    if (!arguments.has(u"xlsx"_s))
        throw UsageError(u"须用 --xlsx 说写到哪个文件"_s);

    const auto file = openAsProgram(arguments);
    QList<ResultTable> tables;
    if (forClass) {
        const Gradebook book = Gradebook::of(file->database(), arguments.text(u"class"_s));
        if (book.pupils.isEmpty())
            throw UsageError(
                u"班级“%1”里没有孩子（见 qrta-cli children）"_s.arg(arguments.text(u"class"_s)));
        tables = book.tables();
    } else {
        Database &db = file->database();
        tables = ChildHistory::of(db, childNamed(db, arguments.text(u"child"_s))).tables();
    }
    QString error;
    if (!writeResultTables(tables, arguments.text(u"xlsx"_s), &error)) {
        writeError(u"qrta-cli gradebook: %1\n"_s.arg(error));
        return 1;
    }
    return 0;
}
