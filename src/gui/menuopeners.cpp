#include "menuopeners.h"

#include "aboutwindow.h"
#include "newswindow.h"

#include <QDesktopServices>

MenuOpeners MenuOpeners::standard(AppContext &context)
{
    // The windows still to come take the context; about and news do not need it.
    Q_UNUSED(context)
    MenuOpeners openers;
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
