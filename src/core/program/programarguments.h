#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The command line of qrta, read before the window system is touched, so that every mistake
// in it is answered the same way with or without a display. Qt's own options (-platform,
// -style and the like) are let through to QApplication.
struct ProgramArguments
{
    enum class Action { Run, Help, Version };

    Action action = Action::Run;
    std::optional<QString> database;

    // Sets *error to a one-line Chinese message and returns nullopt for a line it does not
    // take.
    static std::optional<ProgramArguments> parse(const QStringList &arguments, QString *error);
    static QString help();
};
