#pragma once

#include <QList>
#include <QString>

#include <array>
#include <utility>
#include <vector>

// Version 1 QR codes (21 × 21 modules), the one size a page's code has: the layout, the
// field arithmetic of the Reed-Solomon correction and the encoder, shared by printing a code
// and reading it back.
namespace qrcode {

inline constexpr int kSize = 21;
inline constexpr int kCodewords = 26;

// Rows of columns, dark true, without the quiet zone.
using Modules = QList<QList<bool>>;

// Arithmetic in GF(256) with the polynomial QR codes use, x^8 + x^4 + x^3 + x^2 + 1.
class Field
{
public:
    static const Field &instance();

    quint8 mul(quint8 a, quint8 b) const { return a && b ? m_exp[m_log[a] + m_log[b]] : 0; }
    quint8 div(quint8 a, quint8 b) const { return a ? m_exp[m_log[a] + 255 - m_log[b]] : 0; }
    quint8 pow(int power) const { return m_exp[((power % 255) + 255) % 255]; }

private:
    Field();
    std::array<quint8, 510> m_exp {};
    std::array<int, 256> m_log {};
};

// The error correction codewords of a level, by the format's two bits for it (L 01, M 00,
// Q 11, H 10).
int correctionCodewords(int levelBits);
// Whether a module belongs to the finder, timing or format patterns, where no data lies.
bool isFunction(int row, int column);
// Whether mask pattern 0 to 7 turns the module over.
bool masked(int mask, int row, int column);
// The fifteen bits of the format, from its five (level bits, then mask): BCH and the mask
// the standard puts over them.
int formatWord(int data);
// Where each bit of the codewords lies, the first codeword's most significant bit first:
// (row, column) pairs, kCodewords × 8 of them.
const std::vector<std::pair<int, int>> &dataOrder();

// The code of up to 27 digits in numeric mode at correction level Q, which a photo of a
// sheet needs, with the mask of least penalty. Empty where the text is not such digits.
Modules encodeNumeric(const QString &digits);

} // namespace qrcode
