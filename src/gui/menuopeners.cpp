#include "menuopeners.h"

#include "aboutwindow.h"
#include "game24window.h"
#include "newswindow.h"
#include "recordswindow.h"
#include "testwindow.h"
#include "worksheetwindow.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"

#include <QDesktopServices>

MenuOpeners MenuOpeners::standard(AppContext &context)
{
    MenuOpeners openers;
    openers.worksheet = [&context](QWidget *parent) {
        WorksheetWindow window(context, parent);
        window.exec();
    };
    openers.test = [&context](QWidget *parent) {
        TestWindow window(context, processQuestionMaker(), parent);
        window.exec();
    };
    openers.records = [&context](QWidget *parent) {
        RecordsWindow window(context, parent);
        window.exec();
    };
    openers.game24 = [&context](QWidget *parent) {
        Game24Window window(context, processRandom(), parent);
        window.exec();
    };
    openers.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    openers.about = [open = openers.openUrl](QWidget *parent) {
        AboutWindow window(open, parent);
        window.exec();
    };
    openers.news = [](QWidget *parent) {
        NewsWindow window(parent);
        window.exec();
    };
    return openers;
}
