#pragma once

#include "board.h"

#include <QtCore/qnamespace.h>

#include <optional>

// The keys of the game, as the keyboard's layout makes them: the digits 1-7 of the keypad or
// the main keyboard click the cards, + - * / on either choose the operation (Shift makes some
// of them on the main keyboard). Any other modifier makes the key no key of the game.
namespace game24 {

std::optional<int> cardOfKey(int key, Qt::KeyboardModifiers modifiers);
std::optional<Board::Operation> operationOfKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace game24
