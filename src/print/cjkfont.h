#pragma once

#include <QFont>

// The program's Chinese faces, found through fontconfig with fallbacks, never
// a font name of another system.
QFont cjkFont(qreal pointSize = 12, bool bold = false);
