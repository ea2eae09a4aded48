#pragma once

#include <QFont>

// The program's Chinese faces, found through fontconfig with fallbacks, never
// a font name of another system.
QFont cjkFont(qreal pointSize = 12, bool bold = false);

// Question lines centre their numbers in blank-padded fields, so blanks and
// digits must be equally wide: a monospaced face that also has the CJK signs.
QFont cjkMonoFont(qreal pointSize = 12);

// The face of Chinese text on paper. A PDF names the character behind each
// glyph by the lowest code point the face draws with it, so a face that
// draws a Kangxi radical with the glyph of its ideograph makes 页, 月, 日 and
// 用 copy out of the PDF as ⻚, ⽉, ⽇ and ⽤, and searching finds nothing.
// This face has no radicals.
QFont paperFont(qreal pointSize = 12);

// The font at that size in twips, the unit sheets are laid out and painted
// in, so that a device's own resolution never scales it a second time.
QFont inTwips(QFont font, qreal points);
