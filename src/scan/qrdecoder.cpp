#include "qrdecoder.h"

#include "qrcode.h"

#include <array>
#include <bit>
#include <vector>

namespace {

using qrcode::kCodewords;
using qrcode::kSize;

const qrcode::Field &field()
{
    return qrcode::Field::instance();
}

// A polynomial with its lowest power first.
quint8 evaluate(const std::vector<quint8> &poly, quint8 x)
{
    quint8 value = 0;
    for (auto it = poly.rbegin(); it != poly.rend(); ++it)
        value = field().mul(value, x) ^ *it;
    return value;
}

// The block's syndromes; codeword i is the coefficient of x^(n-1-i), and the generator's
// roots are alpha^0 .. alpha^(nsym-1).
std::vector<quint8> syndromes(const std::vector<quint8> &block, int nsym)
{
    std::vector<quint8> result(nsym);
    for (int j = 0; j < nsym; ++j) {
        quint8 value = 0;
        for (const quint8 c : block)
            value = field().mul(value, field().pow(j)) ^ c;
        result[j] = value;
    }
    return result;
}

bool allZero(const std::vector<quint8> &values)
{
    for (const quint8 v : values) {
        if (v)
            return false;
    }
    return true;
}

// Berlekamp-Massey, Chien search and Forney's formula; false where the errors are too many.
bool correct(std::vector<quint8> &block, int nsym)
{
    const qrcode::Field &gf = field();
    const std::vector<quint8> s = syndromes(block, nsym);
    if (allZero(s))
        return true;
    std::vector<quint8> locator { 1 }, previous { 1 };
    int errors = 0, shift = 1;
    quint8 lastDiscrepancy = 1;
    for (int n = 0; n < nsym; ++n) {
        quint8 d = s[n];
        for (int i = 1; i <= errors && i < int(locator.size()); ++i)
            d ^= gf.mul(locator[i], s[n - i]);
        if (d == 0) {
            ++shift;
            continue;
        }
        std::vector<quint8> next = locator;
        const quint8 factor = gf.div(d, lastDiscrepancy);
        if (next.size() < previous.size() + shift)
            next.resize(previous.size() + shift, 0);
        for (size_t i = 0; i < previous.size(); ++i)
            next[i + shift] ^= gf.mul(factor, previous[i]);
        if (2 * errors <= n) {
            previous = locator;
            errors = n + 1 - errors;
            lastDiscrepancy = d;
            shift = 1;
        } else {
            ++shift;
        }
        locator = next;
    }
    if (2 * errors > nsym)
        return false;
    locator.resize(errors + 1);

    // Omega = S(x) * Lambda(x) mod x^nsym.
    std::vector<quint8> omega(nsym, 0);
    for (int i = 0; i < nsym; ++i) {
        for (int j = 0; j <= errors && i + j < nsym; ++j)
            omega[i + j] ^= gf.mul(s[i], locator[j]);
    }
    std::vector<quint8> derivative(std::max(errors, 1), 0);
    for (int i = 1; i <= errors; i += 2)
        derivative[i - 1] = locator[i];

    const int n = int(block.size());
    int found = 0;
    for (int position = 0; position < n; ++position) {
        const quint8 inverse = gf.pow(-position);
        if (evaluate(locator, inverse) != 0)
            continue;
        const quint8 denominator = evaluate(derivative, inverse);
        if (denominator == 0)
            return false;
        const quint8 magnitude
            = gf.mul(gf.pow(position), gf.div(evaluate(omega, inverse), denominator));
        block[n - 1 - position] ^= magnitude;
        ++found;
    }
    return found == errors && allZero(syndromes(block, nsym));
}

// The format's five bits from either copy, whichever lies nearer a valid word; -1 where both
// are too damaged.
int readFormat(const QList<QList<bool>> &m)
{
    int first = 0, second = 0;
    auto bit = [](bool dark, int i) { return dark ? 1 << i : 0; };
    for (int i = 0; i <= 5; ++i)
        first |= bit(m[i][8], i);
    first |= bit(m[7][8], 6) | bit(m[8][8], 7) | bit(m[8][7], 8);
    for (int i = 9; i < 15; ++i)
        first |= bit(m[8][14 - i], i);
    for (int i = 0; i < 8; ++i)
        second |= bit(m[8][kSize - 1 - i], i);
    for (int i = 8; i < 15; ++i)
        second |= bit(m[kSize - 15 + i][8], i);

    int best = -1, bestDistance = 4;
    for (int data = 0; data < 32; ++data) {
        const int word = qrcode::formatWord(data);
        for (const int seen : { first, second }) {
            const int distance = std::popcount(unsigned(word ^ seen));
            if (distance < bestDistance) {
                bestDistance = distance;
                best = data;
            }
        }
    }
    return best;
}

class BitReader
{
public:
    explicit BitReader(const std::vector<quint8> &bytes)
        : m_bytes(bytes)
    { }
    int left() const { return int(m_bytes.size()) * 8 - m_position; }
    int take(int count)
    {
        int value = 0;
        for (int i = 0; i < count; ++i, ++m_position)
            value = (value << 1) | ((m_bytes[m_position / 8] >> (7 - m_position % 8)) & 1);
        return value;
    }

private:
    const std::vector<quint8> &m_bytes;
    int m_position = 0;
};

std::optional<QString> readSegments(const std::vector<quint8> &data)
{
    BitReader bits(data);
    QString text;
    while (bits.left() >= 4) {
        const int mode = bits.take(4);
        if (mode == 0)
            break;
        if (mode == 1) { // numeric
            if (bits.left() < 10)
                return std::nullopt;
            int count = bits.take(10);
            while (count > 0) {
                const int digits = std::min(count, 3);
                const int width = digits == 3 ? 10 : (digits == 2 ? 7 : 4);
                if (bits.left() < width)
                    return std::nullopt;
                const int value = bits.take(width);
                if (value >= (digits == 3 ? 1000 : (digits == 2 ? 100 : 10)))
                    return std::nullopt;
                text += QString::number(value).rightJustified(digits, QChar(u'0'));
                count -= digits;
            }
        } else if (mode == 4) { // bytes, taken as Latin-1
            if (bits.left() < 8)
                return std::nullopt;
            const int count = bits.take(8);
            if (bits.left() < 8 * count)
                return std::nullopt;
            for (int i = 0; i < count; ++i)
                text += QChar(bits.take(8));
        } else {
            return std::nullopt;
        }
    }
    return text;
}

} // namespace

namespace qrdecoder {

std::optional<QString> read(const QList<QList<bool>> &modules)
{
    if (modules.size() != kSize)
        return std::nullopt;
    for (const QList<bool> &row : modules) {
        if (row.size() != kSize)
            return std::nullopt;
    }
    const int format = readFormat(modules);
    if (format < 0)
        return std::nullopt;
    const int mask = format & 7;
    const int nsym = qrcode::correctionCodewords(format >> 3);

    std::vector<quint8> block(kCodewords, 0);
    const std::vector<std::pair<int, int>> &order = qrcode::dataOrder();
    for (size_t i = 0; i < order.size(); ++i) {
        const auto [row, column] = order[i];
        if (modules[row][column] != qrcode::masked(mask, row, column))
            block[i / 8] |= quint8(1 << (7 - i % 8));
    }
    if (!correct(block, nsym))
        return std::nullopt;
    block.resize(kCodewords - nsym);
    return readSegments(block);
}

} // namespace qrdecoder
