// Start-up in the order the rest of the program relies on: one running copy per user, the
// data file with its first start, then the menu, which reads the settings it needs.

#include "cjkfont.h"
#include "mainmenuwindow.h"
#include "menuopeners.h"
#include "messagebox.h"
#include "screenshottour.h"

#include "shell/appcontext.h"
#include "shell/programinfo.h"
#include "shell/singleinstance.h"
#include "store/database.h"
#include "store/datafile.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QTimer>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// Exit statuses, as qrta-cli has them.
constexpr int kRefused = 1;
constexpr int kBadArguments = 2;
constexpr int kBadDataFile = 3;

struct Arguments
{
    QString database;
    QString screenshots;
};

void printHelp()
{
    std::fputs(qPrintable(u"用法：qrta [--database 路径]\n\n"
                          "晨曦算苑：小学生口算练习。\n\n"
                          "  --database 路径   使用这个数据文件（不存在时新建）\n"
                          "  -h, --help        显示本说明\n"
                          "  -v, --version     显示版本\n"_s),
        stdout);
}

// Returns false, after saying why on stderr, for arguments the program does not know.
bool parse(const QStringList &arguments, Arguments &parsed)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        // --screenshots FOLDER is for scripts/screenshot and not offered in the help.
        const bool database = argument == u"--database"_s;
        if (database || argument == u"--screenshots"_s) {
            if (i + 1 == arguments.size()) {
                std::fprintf(stderr, "%s\n", qPrintable(u"qrta：“%1”后面缺少路径"_s.arg(argument)));
                return false;
            }
            (database ? parsed.database : parsed.screenshots) = arguments.at(++i);
            continue;
        }
        std::fprintf(stderr, "%s\n",
            qPrintable(u"qrta：无法识别的参数“%1”，见 qrta --help"_s.arg(argument)));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();

    // Help and version before QApplication, so that they need no display.
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == u"-h"_s || argument == u"--help"_s) {
            printHelp();
            return 0;
        }
        if (argument == u"-v"_s || argument == u"--version"_s) {
            std::printf("qrta %s\n", qPrintable(programinfo::version()));
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"qrta"_s);
    QApplication::setApplicationDisplayName(programinfo::productName());
    QApplication::setApplicationVersion(programinfo::version());
    QGuiApplication::setDesktopFileName(programinfo::applicationId());
    QApplication::setWindowIcon(
        QIcon::fromTheme(programinfo::applicationId(), QIcon(u":/icons/cn.chenxi.qrta.svg"_s)));
    QApplication::setFont(cjkFont(10));

    // QApplication has taken out its own arguments (-platform, -style and the like).
    Arguments arguments;
    if (!parse(QCoreApplication::arguments(), arguments))
        return kBadArguments;

    SingleInstance instance;
    if (!instance.acquire()) {
        showMessage(nullptr, SingleInstance::refusal());
        return kRefused;
    }

    const QString path
        = arguments.database.isEmpty() ? datafile::defaultPath() : arguments.database;
    std::unique_ptr<AppContext> context;
    try {
        context = AppContext::open(path);
    } catch (const DataFileError &error) {
        showMessage(nullptr, error.message());
        return kBadDataFile;
    } catch (const DatabaseError &error) {
        showMessage(nullptr,
            u"数据文件“%1”无法读写：%2"_s.arg(QDir::toNativeSeparators(path), error.message()));
        return kBadDataFile;
    }

    MainMenuWindow menu(*context, MenuOpeners::standard(*context));
    QObject::connect(
        &menu, &MainMenuWindow::exited, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // For scripts/startup-time: when the menu is on the screen, say when and leave.
    if (qEnvironmentVariableIsSet("QRTA_REPORT_FIRST_PAINT")) {
        QObject::connect(&menu, &MainMenuWindow::firstPainted, &menu, [&] {
            std::fprintf(stderr, "qrta first paint: epoch_ms=%lld since_main_ms=%lld\n",
                QDateTime::currentMSecsSinceEpoch(), sinceMain.elapsed());
            menu.close();
        });
    }
    std::unique_ptr<ScreenshotTour> tour;
    if (!arguments.screenshots.isEmpty()) {
        tour = std::make_unique<ScreenshotTour>(menu, arguments.screenshots);
        QObject::connect(&menu, &MainMenuWindow::firstPainted, tour.get(), &ScreenshotTour::start);
    }

    menu.show();
    return app.exec();
}
