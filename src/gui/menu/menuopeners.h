#pragma once

#include <QUrl>

#include <functional>

class AppContext;
class QWidget;

// How the main menu opens the other windows, each given the menu as its parent; tests put
// recorders in their place, and a command without an opener does nothing.
struct MenuOpeners
{
    using Opener = std::function<void(QWidget *parent)>;

    Opener worksheet; // reads the current type from the AppContext
    Opener test; // reads the current type and test number
    Opener game24;
    Opener records;
    Opener about;
    Opener news;
    // False when nothing could open the address.
    std::function<bool(const QUrl &)> openUrl;

    // The windows that exist, opened modally over `context`, and the desktop's browser for
    // the links.
    static MenuOpeners standard(AppContext &context);
};

// Opens a page of the maker's (or a mail to them) with open. A computer without a browser
// opens nothing, and no window would show why: the message gives the address to type.
void openPage(QWidget *parent, const std::function<bool(const QUrl &)> &open, const QUrl &url);
