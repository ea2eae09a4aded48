// The developers' screenshot tour: the program's menu on a data file of its own, walked
// through every window, each saved as a PNG. It takes, marks and practises a test, so it
// never runs on a file it was not named explicitly.

#include "menu/mainmenuwindow.h"
#include "menu/menuopeners.h"
#include "startup/programsetup.h"
#include "screenshottour.h"

#include "program/appcontext.h"
#include "program/exitstatus.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: qrta-screenshots DATA_FILE OUTPUT_FOLDER\n"
                   "  DATA_FILE must not exist yet: the tour takes tests in it.\n",
            stderr);
        return exitstatus::kBadArguments;
    }
    const QString database = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (QFileInfo::exists(database)) {
        std::fprintf(
            stderr, "qrta-screenshots: %s exists; the tour only writes a new file\n", argv[1]);
        return exitstatus::kBadArguments;
    }

    QApplication app(argc, argv);
    programsetup::setUpApplication();
    int status = exitstatus::kSuccess;
    const std::unique_ptr<AppContext> context = programsetup::openDataFile(database, &status);
    if (!context)
        return status;

    MainMenuWindow menu(*context, MenuOpeners::standard(*context));
    QObject::connect(
        &menu, &MainMenuWindow::exited, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    ScreenshotTour tour(menu, folder);
    QObject::connect(&menu, &MainMenuWindow::firstPainted, &tour, &ScreenshotTour::start);
    menu.show();
    return app.exec();
}
