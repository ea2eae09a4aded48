#include "generators.h"

#include "draw.h"
#include "linewriter.h"

namespace {

struct Level
{
    Span a, b;
    bool swaps; // level 1 always writes A first and makes no swap draw
    std::u16string_view aFirst, bFirst;
};

constexpr Level kLevels[5] = {
    { { 1, 9 }, { 1, 9 }, false, u" a × b ＝ r2", u" a × b ＝ r2" },
    { { 5, 19 }, { 2, 9 }, true, u"a2 × b2 ＝ r3", u"b2 × a2 ＝ r3" },
    { { 5, 19 }, { 5, 19 }, true, u"a2 × b2 ＝ r3", u"b2 × a2 ＝ r3" },
    { { 5, 19 }, { 10, 49 }, true, u"a2 × b2 ＝ r3", u"b2 × a2 ＝ r3" },
    { { 10, 49 }, { 20, 99 }, true, u" a × b ＝ r4", u" b × a ＝ r4" },
};

} // namespace

// Type 5 "A × B".
QString makeMultiplicationQuestion(qint16 level, RandomSource &rnd)
{
    if (level < 1 || level > 5)
        return QString();
    const Level &row = kLevels[level - 1];
    Draws draw(rnd);
    Operands v;
    v.a = draw(row.a);
    v.b = draw(row.b);
    v.r = v.a * v.b;
    const bool aFirst = !row.swaps || draw.swap();
    return writeForm(aFirst ? row.aFirst : row.bFirst, v);
}
