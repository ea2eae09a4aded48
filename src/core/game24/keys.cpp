#include "keys.h"

namespace game24 {

std::optional<int> cardOfKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key < Qt::Key_1 || key >= Qt::Key_1 + Board::kCardCount)
        return std::nullopt;
    if ((modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return std::nullopt;
    return key - Qt::Key_1;
}

std::optional<Board::Operation> operationOfKey(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
        return std::nullopt;
    switch (key) {
    case Qt::Key_Plus:
        return Board::Operation::Add;
    case Qt::Key_Minus:
        return Board::Operation::Subtract;
    case Qt::Key_Asterisk:
        return Board::Operation::Multiply;
    case Qt::Key_Slash:
        return Board::Operation::Divide;
    default:
        return std::nullopt;
    }
}

} // namespace game24
