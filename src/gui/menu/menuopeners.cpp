#include "menuopeners.h"

#include "aboutwindow.h"
#include "game24/game24window.h"
#include "chrome/messagebox.h"
#include "newswindow.h"
#include "quiz/recordswindow.h"
#include "quiz/testwindow.h"
#include "worksheet/worksheetwindow.h"

#include "generate/questionmaker.h"
#include "generate/randomsource.h"

#include <QDesktopServices>

using namespace Qt::Literals::StringLiterals;

MenuOpeners MenuOpeners::standard(AppContext &context)
{
    MenuOpeners openers;
    // A window reads the file as it opens; when it cannot, it does not open.
    openers.worksheet = [&context](QWidget *parent) {
        runOrReport(parent, u"试卷出题窗口无法打开"_s, [&context, parent] {
            WorksheetWindow window(context, parent);
            window.exec();
        });
    };
    openers.test = [&context](QWidget *parent) {
        runOrReport(parent, u"电脑测试窗口无法打开"_s, [&context, parent] {
            TestWindow window(context, processQuestionMaker(), parent);
            window.exec();
        });
    };
    openers.records = [&context](QWidget *parent) {
        runOrReport(parent, u"电脑测试一览表无法打开"_s, [&context, parent] {
            RecordsWindow window(context, parent);
            window.exec();
        });
    };
    openers.game24 = [&context](QWidget *parent) {
        runOrReport(parent, u"24点口算游戏无法打开"_s, [&context, parent] {
            Game24Window window(context, processRandom(), parent);
            window.exec();
        });
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
