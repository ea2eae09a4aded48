#include "programarguments.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// QApplication's own options: the ones that take a value, and the ones that do not.
const QStringList kQtOptionsWithValue
    = { u"platform"_s, u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s, u"qmljsdebugger"_s,
          u"style"_s, u"stylesheet"_s, u"session"_s, u"display"_s, u"geometry"_s, u"title"_s,
          u"name"_s, u"qwindowgeometry"_s, u"qwindowtitle"_s, u"qwindowicon"_s, u"fontengine"_s };
const QStringList kQtFlags
    = { u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s, u"sync"_s, u"testability"_s };

// Qt takes -option and --option alike.
QString qtOptionName(const QString &argument)
{
    if (argument.startsWith(u"--"_s))
        return argument.mid(2);
    if (argument.startsWith(u'-'))
        return argument.mid(1);
    return QString();
}

} // namespace

std::optional<ProgramArguments> ProgramArguments::parse(
    const QStringList &arguments, QString *error)
{
    ProgramArguments parsed;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == u"-h"_s || argument == u"--help"_s) {
            parsed.action = Action::Help;
            return parsed;
        }
        if (argument == u"-v"_s || argument == u"--version"_s) {
            parsed.action = Action::Version;
            return parsed;
        }
        if (argument == u"--database"_s || argument.startsWith(u"--database="_s)) {
            QString value;
            if (argument.startsWith(u"--database="_s)) {
                value = argument.mid(11);
            } else if (i + 1 < arguments.size()) {
                value = arguments.at(++i);
            } else {
                *error = u"qrta：“--database”后面缺少路径"_s;
                return std::nullopt;
            }
            // An unset variable in a script must not quietly mean the family's own file.
            if (value.isEmpty()) {
                *error = u"qrta：“--database”的路径不能为空"_s;
                return std::nullopt;
            }
            parsed.database = value;
            continue;
        }
        const QString qtOption = qtOptionName(argument);
        if (kQtFlags.contains(qtOption))
            continue;
        if (kQtOptionsWithValue.contains(qtOption.section(u'=', 0, 0))) {
            if (!qtOption.contains(u'=') && ++i == arguments.size()) {
                *error = u"qrta：“%1”后面缺少取值"_s.arg(argument);
                return std::nullopt;
            }
            continue;
        }
        *error = u"qrta：无法识别的参数“%1”，见 qrta --help"_s.arg(argument);
        return std::nullopt;
    }
    return parsed;
}

QString ProgramArguments::help()
{
    return u"用法：qrta [--database 路径]\n\n"
           "晨曦算苑：小学生口算练习。\n\n"
           "  --database 路径   使用这个数据文件（不存在时新建，所在文件夹须已存在）\n"
           "  -h, --help        显示本说明\n"
           "  -v, --version     显示版本\n\n"
           "退出状态：0 正常退出，1 已经运行了一个晨曦算苑，2 参数有误，\n"
           "3 数据文件损坏、不是本程序的文件或由更新版本写成，\n"
           "4 数据文件完好但暂时无法使用（正被使用、磁盘已满或没有读写权限）。\n"_s;
}
