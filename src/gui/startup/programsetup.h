#pragma once

#include <QString>

#include <memory>

class AppContext;

// What qrta and the developers' screenshot tour do alike once QApplication exists.
namespace programsetup {

// Names, icon and the Chinese font of every window.
void setUpApplication();

// Why the program will not start: on standard error, for scripts and terminals, and in a
// message box where someone can see one (not on the offscreen or minimal platforms, where a
// box would wait for a click that never comes).
void sayWhyNotStarting(const QString &text);

// Opens the data file as the program does. A file that cannot be used is named in a message
// box; then *status holds the exit status and the result is null.
std::unique_ptr<AppContext> openDataFile(const QString &path, int *status);

} // namespace programsetup
