#include "arguments.h"
#include "commands.h"
#include "output.h"

#include "program/exitstatus.h"
#include "store/database.h"
#include "store/datafile.h"

#include <QGuiApplication>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Command
{
    QString name;
    QString summary;
    std::function<int(const QStringList &)> run;
    bool paints = false; // needs fonts and paint devices
};

const QList<Command> &commands()
{
    static const QList<Command> list = {
        { u"lines"_s, u"按题型与难度输出题目行"_s, runLinesCommand },
        { u"settings"_s, u"列出（并可改写）数据文件里的设置"_s, runSettingsCommand },
        { u"puzzles"_s, u"列出24点题库"_s, runPuzzlesCommand },
        { u"records"_s, u"列出保存的电脑测试及其各题"_s, runRecordsCommand },
        { u"mistakes"_s, u"列出错题本，或排成卷子写成 PDF"_s, runMistakesCommand, true },
        { u"sheet"_s, u"出一份卷子，可写成 PDF"_s, runSheetCommand, true },
        { u"scan"_s, u"批改拍照的卷子，存为测试"_s, runScanCommand },
        { u"children"_s, u"列出、添加、改名、删除孩子，导入班级名单"_s, runChildrenCommand },
        { u"gradebook"_s, u"把一个班的成绩写成 Excel 工作簿"_s, runGradebookCommand },
    };
    return list;
}

QString overview()
{
    QString text
        = u"用法：qrta-cli 命令 [选项]\n\n晨曦算苑的命令行工具：不开窗口出题。\n\n命令：\n"_s;
    for (const Command &command : commands())
        text += u"  "_s + command.name.leftJustified(10) + command.summary + u'\n';
    text
        += u"\n“qrta-cli 命令 --help”显示该命令的选项。\n"_s
           u"退出状态：0 成功，1 输出失败，2 参数有误，\n"_s
           u"3 数据文件损坏、不是本程序的文件或由更新版本写成，\n"_s
           u"4 数据文件完好但暂时无法使用（晨曦算苑正在使用它、另一个程序正在写入、磁盘已满或没有读写权限）。\n"_s;
    return text;
}

// Qt's own notes (fonts, runtime folders) are not for the people and scripts
// reading this tool's output; only real failures get through.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        writeError(message + u'\n');
}

} // namespace

int main(int argc, char *argv[])
{
    // Painting needs a GUI application, but never a screen: a tool for
    // scripts and servers draws off screen.
    const bool paints = argc > 1
        && std::any_of(commands().begin(), commands().end(), [&](const Command &command) {
               return command.paints && command.name == QString::fromLocal8Bit(argv[1]);
           });
    qInstallMessageHandler(quietMessages);
    if (paints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = paints ? std::make_unique<QGuiApplication>(argc, argv)
                                                   : std::make_unique<QCoreApplication>(argc, argv);
    // The same name as the program, so both find the same data folder.
    QCoreApplication::setApplicationName(u"qrta"_s);
    QStringList args = QCoreApplication::arguments().mid(1);

    if (args.isEmpty()) {
        writeError(u"qrta-cli: 缺少命令，可用“qrta-cli --help”查看命令\n"_s);
        return exitstatus::kBadArguments;
    }
    const QString name = args.takeFirst();
    if (name == u"--help"_s || name == u"-h"_s || name == u"help"_s) {
        writeOut(overview());
        return flushOut();
    }
    for (const Command &command : commands()) {
        if (command.name != name)
            continue;
        try {
            return command.run(args);
        } catch (const DataFileError &error) {
            writeError(u"qrta-cli %1: %2\n"_s.arg(name, error.message()));
            return error.exitStatus();
        } catch (const DatabaseError &error) {
            writeError(u"qrta-cli %1: %2\n"_s.arg(name, error.explanation()));
            return error.leavesFileIntact() ? exitstatus::kDataFileUnusable
                                            : exitstatus::kDamagedDataFile;
        } catch (const UsageError &error) {
            writeError(u"qrta-cli %1: %2\n"_s.arg(name, error.message()));
            return exitstatus::kBadArguments;
        } catch (const std::exception &) {
            writeError(u"qrta-cli %1: 内部错误，命令没有完成\n"_s.arg(name));
            return exitstatus::kOutputFailed;
        }
    }
    writeError(u"qrta-cli: 未知的命令“%1”，可用“qrta-cli --help”查看命令\n"_s.arg(name));
    return exitstatus::kBadArguments;
}
