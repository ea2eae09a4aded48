#include "qrcode.h"

#include <algorithm>
#include <cstdlib>

namespace qrcode {

namespace {

constexpr int kLevelQ = 3;
constexpr int kDataCodewordsQ = 13;
constexpr int kMaxDigits = 27;

// Appends the lowest `count` bits of value, most significant first.
void append(std::vector<bool> &bits, int value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        bits.push_back((value >> i) & 1);
}

// The data codewords followed by their correction: the remainder of data · x^n divided by
// the generator (x - α^0) … (x - α^(n-1)).
std::vector<quint8> withCorrection(std::vector<quint8> data, int n)
{
    const Field &gf = Field::instance();
    std::vector<quint8> generator { 1 }; // highest power first
    for (int i = 0; i < n; ++i) {
        std::vector<quint8> next(generator.size() + 1, 0);
        for (size_t j = 0; j < generator.size(); ++j) {
            next[j] ^= generator[j];
            next[j + 1] ^= gf.mul(generator[j], gf.pow(i));
        }
        generator = next;
    }
    std::vector<quint8> remainder(n, 0);
    for (const quint8 codeword : data) {
        const quint8 factor = codeword ^ remainder.front();
        remainder.erase(remainder.begin());
        remainder.push_back(0);
        for (int j = 0; j < n; ++j)
            remainder[j] ^= gf.mul(generator[j + 1], factor);
    }
    data.insert(data.end(), remainder.begin(), remainder.end());
    return data;
}

void setFinder(Modules &m, int top, int left)
{
    for (int r = -1; r <= 7; ++r) {
        for (int c = -1; c <= 7; ++c) {
            const int row = top + r, column = left + c;
            if (row < 0 || row >= kSize || column < 0 || column >= kSize)
                continue;
            const int ring = std::max(std::abs(r - 3), std::abs(c - 3));
            m[row][column] = ring != 2 && ring != 4; // the separator is ring 4
        }
    }
}

void setFormat(Modules &m, int word)
{
    const auto bit = [word](int i) { return bool((word >> i) & 1); };
    for (int i = 0; i <= 5; ++i)
        m[i][8] = bit(i);
    m[7][8] = bit(6);
    m[8][8] = bit(7);
    m[8][7] = bit(8);
    for (int i = 9; i < 15; ++i)
        m[8][14 - i] = bit(i);
    for (int i = 0; i < 8; ++i)
        m[8][kSize - 1 - i] = bit(i);
    for (int i = 8; i < 15; ++i)
        m[kSize - 15 + i][8] = bit(i);
}

// The four penalties of a masked code: runs of five or more, two-by-two blocks, the finder's
// proportions with four light modules on one side, and the share of dark modules away from
// 45 to 55 %. Weighed as the codes this program has always printed were, so that a sheet
// printed again carries the very same code.
int penalty(const Modules &m)
{
    const auto at = [&m](bool across, int line, int i) { return across ? m[line][i] : m[i][line]; };
    static constexpr std::array<std::array<bool, 11>, 2> kFinderLike {
        std::array { false, false, false, false, true, false, true, true, true, false, true },
        std::array { true, false, true, true, true, false, true, false, false, false, false }
    };
    int total = 0;
    for (const bool across : { true, false }) {
        for (int line = 0; line < kSize; ++line) {
            int run = 1;
            for (int i = 1; i <= kSize; ++i) {
                if (i < kSize && at(across, line, i) == at(across, line, i - 1)) {
                    ++run;
                    continue;
                }
                if (run >= 5)
                    total += 3 + run - 5;
                run = 1;
            }
            for (int i = 0; i + 11 <= kSize; ++i) {
                for (const std::array<bool, 11> &pattern : kFinderLike) {
                    bool same = true;
                    for (int k = 0; k < 11 && same; ++k)
                        same = at(across, line, i + k) == pattern[k];
                    total += same ? 40 : 0;
                }
            }
        }
    }
    int dark = 0;
    for (int r = 0; r < kSize; ++r) {
        for (int c = 0; c < kSize; ++c) {
            dark += m[r][c];
            if (r + 1 < kSize && c + 1 < kSize && m[r][c] == m[r][c + 1]
                && m[r][c] == m[r + 1][c] && m[r][c] == m[r + 1][c + 1])
                total += 3;
        }
    }
    const int percent = dark * 100 / (kSize * kSize);
    return total + std::min(std::abs(percent - 45), std::abs(percent - 55)) / 5 * 10;
}

} // namespace

Field::Field()
{
    int x = 1;
    for (int i = 0; i < 255; ++i) {
        m_exp[i] = m_exp[i + 255] = quint8(x);
        m_log[x] = i;
        x <<= 1;
        if (x & 0x100)
            x ^= 0x11d;
    }
}

const Field &Field::instance()
{
    static const Field field;
    return field;
}

int correctionCodewords(int levelBits)
{
    static constexpr std::array<int, 4> kCorrection { 10, 7, 17, 13 };
    return kCorrection[levelBits & 3];
}

bool isFunction(int row, int column)
{
    return (row <= 8 && (column <= 8 || column >= kSize - 8)) || (row >= kSize - 8 && column <= 8)
        || row == 6 || column == 6;
}

bool masked(int mask, int row, int column)
{
    const int x = column, y = row;
    switch (mask) {
    case 0:
        return (x + y) % 2 == 0;
    case 1:
        return y % 2 == 0;
    case 2:
        return x % 3 == 0;
    case 3:
        return (x + y) % 3 == 0;
    case 4:
        return (x / 3 + y / 2) % 2 == 0;
    case 5:
        return x * y % 2 + x * y % 3 == 0;
    case 6:
        return (x * y % 2 + x * y % 3) % 2 == 0;
    default:
        return ((x + y) % 2 + x * y % 3) % 2 == 0;
    }
}

int formatWord(int data)
{
    int remainder = data;
    for (int i = 0; i < 10; ++i)
        remainder = (remainder << 1) ^ ((remainder >> 9) * 0x537);
    return ((data << 10) | remainder) ^ 0x5412;
}

const std::vector<std::pair<int, int>> &dataOrder()
{
    static const std::vector<std::pair<int, int>> order = [] {
        std::vector<std::pair<int, int>> places;
        // Two columns at a time from the right, up and down in turn, past the timing column.
        for (int right = kSize - 1; right >= 1; right -= 2) {
            if (right == 6)
                right = 5;
            const bool upward = ((right + 1) & 2) == 0;
            for (int vertical = 0; vertical < kSize; ++vertical) {
                for (int j = 0; j < 2; ++j) {
                    const int row = upward ? kSize - 1 - vertical : vertical;
                    if (!isFunction(row, right - j))
                        places.emplace_back(row, right - j);
                }
            }
        }
        places.resize(kCodewords * 8);
        return places;
    }();
    return order;
}

Modules encodeNumeric(const QString &digits)
{
    if (digits.isEmpty() || digits.size() > kMaxDigits
        || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return {};
    std::vector<bool> bits;
    append(bits, 0b0001, 4); // numeric
    append(bits, int(digits.size()), 10);
    for (qsizetype i = 0; i < digits.size(); i += 3) {
        const QStringView group = QStringView(digits).mid(i, 3);
        append(bits, group.toInt(), group.size() == 3 ? 10 : (group.size() == 2 ? 7 : 4));
    }
    const size_t capacity = kDataCodewordsQ * 8;
    for (int i = 0; i < 4 && bits.size() < capacity; ++i)
        bits.push_back(false); // terminator
    while (bits.size() % 8)
        bits.push_back(false);
    std::vector<quint8> data;
    for (size_t i = 0; i < bits.size(); i += 8) {
        int byte = 0;
        for (size_t k = 0; k < 8; ++k)
            byte = (byte << 1) | bits[i + k];
        data.push_back(quint8(byte));
    }
    for (bool even = true; data.size() < kDataCodewordsQ; even = !even)
        data.push_back(even ? 0xEC : 0x11);
    const std::vector<quint8> codewords
        = withCorrection(data, correctionCodewords(kLevelQ));

    Modules base(kSize, QList<bool>(kSize, false));
    setFinder(base, 0, 0);
    setFinder(base, 0, kSize - 7);
    setFinder(base, kSize - 7, 0);
    for (int i = 8; i < kSize - 8; ++i)
        base[6][i] = base[i][6] = i % 2 == 0;
    base[kSize - 8][8] = true; // the dark module
    Modules best;
    int bestPenalty = 0;
    for (int mask = 0; mask < 8; ++mask) {
        Modules m = base;
        const std::vector<std::pair<int, int>> &order = dataOrder();
        for (size_t i = 0; i < order.size(); ++i) {
            const auto [row, column] = order[i];
            const bool bit = (codewords[i / 8] >> (7 - i % 8)) & 1;
            m[row][column] = bit != masked(mask, row, column);
        }
        setFormat(m, formatWord(kLevelQ << 3 | mask));
        const int score = penalty(m);
        if (best.isEmpty() || score < bestPenalty) {
            best = m;
            bestPenalty = score;
        }
    }
    return best;
}

} // namespace qrcode
