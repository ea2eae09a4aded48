#pragma once

#include <QString>

class SeededRandom;

// Settings and puzzle answers are stored scrambled. The result is ASCII
// letters and digits only, twice as long as the GB18030 bytes of
// text + salt, and differs from call to call; decoding drops as many
// characters as the salt has without comparing them.
namespace settingscodec {

constexpr int kAlphabetCount = 7;

// Reseeds rnd from the clock before each byte, as the draws of the scramble
// must not be reproducible.
QString encode(const QString &text, qint16 keyIndex, const QString &salt, SeededRandom &rnd);
QString encode(const QString &text, qint16 keyIndex, const QString &salt);

// Anything that does not decode gives the empty string, never an error.
QString decode(const QString &code, qint16 keyIndex, const QString &salt);

} // namespace settingscodec
