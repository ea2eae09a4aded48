// Start-up in the order the rest of the program relies on: the command line before anything
// else, one running copy per user, the data file with its first start, then the menu, which
// reads the settings it needs.

#include "menu/mainmenuwindow.h"
#include "menu/menuopeners.h"
#include "startup/programsetup.h"

#include "program/appcontext.h"
#include "program/exitstatus.h"
#include "program/programarguments.h"
#include "program/programinfo.h"
#include "program/singleinstance.h"
#include "store/datafile.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();

    // Before QApplication, so that help, version and every mistake need no display.
    QStringList line;
    for (int i = 0; i < argc; ++i)
        line << QString::fromLocal8Bit(argv[i]);
    QString problem;
    const std::optional<ProgramArguments> arguments = ProgramArguments::parse(line, &problem);
    if (!arguments) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return exitstatus::kBadArguments;
    }
    if (arguments->action == ProgramArguments::Action::Help) {
        std::fputs(qPrintable(ProgramArguments::help()), stdout);
        return std::fflush(stdout) == 0 ? exitstatus::kSuccess : exitstatus::kOutputFailed;
    }
    if (arguments->action == ProgramArguments::Action::Version) {
        std::printf("qrta %s\n", qPrintable(programinfo::version()));
        return std::fflush(stdout) == 0 ? exitstatus::kSuccess : exitstatus::kOutputFailed;
    }

    QApplication app(argc, argv);
    programsetup::setUpApplication();

    SingleInstance instance;
    if (!instance.acquire()) {
        programsetup::sayWhyNotStarting(SingleInstance::refusal());
        return exitstatus::kAlreadyRunning;
    }

    QString path = arguments->database.value_or(QString());
    int status = exitstatus::kSuccess;
    if (path.isEmpty()) {
        path = datafile::defaultPath();
        try {
            datafile::prepareDefaultFolder(path);
        } catch (const DataFileError &error) {
            programsetup::sayWhyNotStarting(error.message());
            return error.exitStatus();
        }
    }
    const std::unique_ptr<AppContext> context = programsetup::openDataFile(path, &status);
    if (!context)
        return status;

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

    menu.show();
    return app.exec();
}
