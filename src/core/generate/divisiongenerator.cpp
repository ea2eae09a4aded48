#include "generators.h"

#include "draw.h"
#include "linewriter.h"

namespace {

struct Level
{
    Span divisor, quotient;
    std::u16string_view form;
};

constexpr Level kLevels[5] = {
    { { 1, 9 }, { 1, 9 }, u"a2 ÷ b ＝ r" },
    { { 2, 9 }, { 5, 19 }, u"a3 ÷ b ＝ r2" },
    { { 5, 19 }, { 5, 19 }, u"a3 ÷ b2 ＝ r2" },
    { { 5, 19 }, { 10, 49 }, u"a3 ÷ b2 ＝ r2" },
    { { 10, 49 }, { 20, 99 }, u"a4 ÷ b2 ＝ r2" },
};

} // namespace

// Type 7 "A ÷ B". The dividend is the product of the drawn divisor and
// quotient, so every question divides exactly.
QString makeDivisionQuestion(qint16 level, RandomSource &rnd)
{
    if (level < 1 || level > 5)
        return QString();
    const Level &row = kLevels[level - 1];
    Draws draw(rnd);
    Operands v;
    v.b = draw(row.divisor);
    v.r = draw(row.quotient);
    v.a = v.r * v.b;
    return writeForm(row.form, v);
}
