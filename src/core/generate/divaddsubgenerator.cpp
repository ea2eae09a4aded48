#include "generators.h"

#include "draw.h"
#include "linewriter.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kForms[8] = {
    u"a＋b÷c＝r",
    u"a－b÷c＝r",
    u"a÷b＋c＝r",
    u"a÷b－c＝r",
    u"(a＋b)÷c＝r",
    u"(a－b)÷c＝r",
    u"a÷(b＋c)＝r",
    u"a÷(b－c)＝r",
};

} // namespace

// Type 8 "A±B÷C": one exact division with one sum or difference. Quotients
// are drawn and dividends computed; every shape has one written form. Each
// row below is one row of the range table, levels 1 to 5 left to right; the
// irregular entries (shape 2's d from 19 on level 4, shape 3's d from 10 on
// level 5, shape 5's r up to 9 on level 2) are meant.
QString makeDivAddSubQuestion(qint16 level, RandomSource &rnd)
{
    Draws draw(rnd);
    const int shape = draw(1, 8).value();
    if (level < 1 || level > 5)
        return QString();

    Operands v;
    switch (shape) {
    case 1: // a + b÷c, quotient d
        v.d = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.a = draw(level, { { 1, 9 }, { 5, 19 }, { 10, 49 }, { 20, 99 }, { 100, 499 } });
        v.b = v.c * v.d;
        v.r = v.a + v.d;
        break;
    case 2: // a − b÷c, quotient d
        v.d = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 19, 49 }, { 20, 99 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        if (level == 1)
            v.a = draw(v.d, std::min(Int16(2) * v.d, Int16(99)));
        else
            v.a = draw(intPart(v.d.real() * 1.3), intPart(v.d.real() * 1.7));
        v.b = v.c * v.d;
        v.r = v.a - v.d;
        break;
    case 3: // a÷b + c, quotient d
        v.d = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 10, 99 } });
        v.b = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.c = draw(level, { { 1, 9 }, { 5, 19 }, { 10, 49 }, { 20, 99 }, { 100, 499 } });
        v.a = v.b * v.d;
        v.r = v.d + v.c;
        break;
    case 4: // a÷b − c, quotient d
        v.d = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.b = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        if (level == 1)
            v.c = draw(1, v.d);
        else
            v.c = draw(intPart(v.d.real() * 0.3), intPart(v.d.real() * 0.7));
        v.a = v.b * v.d;
        v.r = v.d - v.c;
        break;
    case 5: // (a + b)÷c, the bracket d = r×c
        v.r = draw(level, { { 1, 9 }, { 5, 9 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.d = v.r * v.c;
        v.a = draw(nearest(v.d.real() * 0.3), nearest(v.d.real() * 0.7));
        v.b = v.d - v.a;
        break;
    case 6: // (a − b)÷c, the bracket d = r×c
        v.r = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.d = v.r * v.c;
        if (level == 1 || level == 4) {
            v.a = draw(v.d, level == 1 ? Int16(99) : Int16(999));
            v.b = v.a - v.d;
        } else {
            v.b = draw(nearest(v.d.real() * 0.3), nearest(v.d.real() * 0.7));
            v.a = v.b + v.d;
        }
        break;
    case 7: // a÷(b + c), the bracket d is the divisor
        v.r = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.d = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.b = draw(intPart(v.d.real() * 0.3), intPart(v.d.real() * 0.7));
        v.c = v.d - v.b;
        v.a = v.r * v.d;
        break;
    default: // a÷(b − c), the bracket d is the divisor
        v.r = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.d = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.c = draw(intPart(v.d.real() * 0.3), intPart(v.d.real() * 0.7));
        v.b = v.c + v.d;
        v.a = v.r * v.d;
        break;
    }
    return writeForm(kForms[shape - 1], v);
}
