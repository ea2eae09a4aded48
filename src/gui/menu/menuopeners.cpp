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

namespace {

// A feature window reads the file as it opens; when it cannot, it does not open, and says
// what did not open.
template <typename Window, typename... Args>
MenuOpeners::Opener featureWindow(const QString &failed, Args &...args)
{
    return [failed, &args...](QWidget *parent) {
        runOrReport(parent, failed, [&] {
            Window window(args..., parent);
            window.exec();
        });
    };
}

} // namespace

MenuOpeners MenuOpeners::standard(AppContext &context)
{
    MenuOpeners openers;
    openers.worksheet = featureWindow<WorksheetWindow>(u"试卷出题窗口无法打开"_s, context);
    openers.test
        = featureWindow<TestWindow>(u"电脑测试窗口无法打开"_s, context, processQuestionMaker());
    openers.records = featureWindow<RecordsWindow>(u"电脑测试一览表无法打开"_s, context);
    openers.game24
        = featureWindow<Game24Window>(u"24点口算游戏无法打开"_s, context, processRandom());
    openers.openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
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

void openPage(QWidget *parent, const std::function<bool(const QUrl &)> &open, const QUrl &url)
{
    if (!open || open(url))
        return;
    if (url.scheme() == u"mailto"_s) {
        showMessage(parent,
            u"这台电脑上没有能写邮件的程序。\n可以用别的邮箱写信到：\n%1"_s.arg(url.path()));
        return;
    }
    showMessage(parent,
        u"这台电脑上没有能打开网页的浏览器。\n可以在别的电脑或手机的浏览器里输入这个网址：\n%1"_s
            .arg(url.toString()));
}
