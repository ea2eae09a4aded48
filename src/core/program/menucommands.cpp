#include "menucommands.h"

#include <qnamespace.h>

namespace menu {

std::optional<qint16> commandForKey(int key)
{
    if (key == Qt::Key_Escape)
        return Child;
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return qint16(FirstType + (key - Qt::Key_1));
    if (key == Qt::Key_0)
        return LastType;
    return std::nullopt;
}

qint16 questionTypeOf(qint16 command)
{
    return command >= FirstType && command <= LastType ? qint16(command - 1) : qint16(0);
}

int tipPictureOf(qint16 command)
{
    return command >= FirstType && command <= Child ? 5000 + command : 0;
}

} // namespace menu
