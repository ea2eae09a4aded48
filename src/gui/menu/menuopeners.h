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
    std::function<void(const QUrl &)> openUrl;

    // The windows that exist, opened modally over `context`, and the desktop's browser for
    // the links.
    static MenuOpeners standard(AppContext &context);
};
