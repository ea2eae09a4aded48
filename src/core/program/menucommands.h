#pragma once

#include <QtGlobal>

#include <optional>

// The main menu's command routine addresses its fifteen buttons by index; the keys and the
// tip banner follow the same numbering.
namespace menu {

enum Command : qint16 {
    Minimise = 0,
    Exit = 1,
    FirstType = 2, // question type 1, and so on to
    LastType = 11, // question type 10
    Game24 = 12,
    Records = 13,
    Child = 14, // leaves the program, like Exit
    CommandCount = 15,
};

inline constexpr int kDefaultTip = 5001;

// The command a key runs (a Qt::Key value), if any: Esc leaves, 1 … 9 and 0 pick a type.
std::optional<qint16> commandForKey(int key);

// The question type of a type button's command, 0 for every other command.
qint16 questionTypeOf(qint16 command);

// The tip picture shown while the pointer rests on a button; 0 where the tip stays.
int tipPictureOf(qint16 command);

} // namespace menu
