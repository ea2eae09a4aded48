#include "generators.h"

#include "draw.h"
#include "linewriter.h"

#include <algorithm>

namespace {

// Shape 5's four written forms, by order number.
constexpr std::u16string_view kShape5Orders[4]
    = { u"a＋b×c＋d＝r", u"a＋c×b＋d＝r", u"d＋b×c＋a＝r", u"d＋c×b＋a＝r" };

} // namespace

// Type 10 "四则混合", levels 1 to 3: four numbers, three operators, built
// backwards so that every division is exact and nothing goes below zero. Each
// draw below is one row of the range table, levels 1 to 3 left to right; the
// irregular entries (q of shape 3 up to 8 on level 2, q of shape 1 from 10 on
// level 3, c of shape 12 and d of shape 13 from 10 on level 3) are meant. A
// quotient drawn before its dividend is q.
QString makeMixedQuestion(qint16 level, RandomSource &rnd)
{
    Draws draw(rnd);
    const int shape = draw(1, 14).value();
    if (level < 1 || level > 3)
        return QString();

    Operands v;
    std::u16string_view first, second; // second empty: no swap draw
    switch (shape) {
    case 1:
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 10, 49 } });
        v.c = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.a = draw(level, { { 2, 7 }, { 3, 9 }, { 4, 19 } });
        v.d = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 49 } });
        v.b = v.c * v.q;
        v.r = v.a + v.q + v.d;
        first = u"a＋b÷c＋d＝r";
        break;
    case 2:
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.c = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.a = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 49 } });
        v.d = draw(perLevel<Int16>(level, { 2, 3, 10 }),
            std::min(v.a + v.q, perLevel<Int16>(level, { 9, 9, 19 })));
        v.b = v.c * v.q;
        v.r = v.a + v.q - v.d;
        first = u"a＋b÷c－d＝r";
        break;
    case 3:
        v.q = draw(level, { { 2, 5 }, { 3, 8 }, { 4, 19 } });
        v.c = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.d = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 49 } });
        v.a = draw(v.q + 1, perLevel<Int16>(level, { 9, 9, 49 }));
        v.b = v.c * v.q;
        v.r = v.a - v.q + v.d;
        first = u"a－b÷c＋d＝r";
        break;
    case 4:
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.c = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.d = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 49 } });
        v.a = draw(v.d + v.q + 1,
            level < 3 ? Int16(19)
                      : std::min(intPart((v.q.real() * 1.5 + v.d.real()) + 1), Int16(99)));
        v.b = v.c * v.q;
        v.r = v.a - v.q - v.d;
        first = u"a－b÷c－d＝r";
        break;
    case 5:
        v.a = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 49 } });
        v.c = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.b = draw(level, { { 2, 5 }, { 3, 9 }, { 3, 9 } });
        v.d = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 49 } });
        v.r = v.b * v.c + v.a + v.d;
        return writeForm(kShape5Orders[draw(1, 4).value() - 1], v);
    case 6:
        v.a = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 49 } });
        v.b = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.c = draw(level, { { 2, 5 }, { 3, 9 }, { 3, 9 } });
        if (level == 1) {
            v.d = draw(3, std::min(v.b * v.c + v.a - 3, Int16(19)));
        } else {
            const double product = (v.b * v.c).real();
            v.d = draw(intPart(v.a.real() * 0.3 + product), intPart(v.a.real() * 0.8 + product));
        }
        v.r = v.b * v.c + v.a - v.d;
        first = u"a＋b×c－d＝r";
        second = u"a＋c×b－d＝r";
        break;
    case 7: {
        v.b = draw(level, { { 2, 5 }, { 2, 6 }, { 3, 9 } });
        v.c = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.d = draw(level, { { 2, 7 }, { 3, 9 }, { 4, 19 } });
        const Int16 product = v.b * v.c;
        if (level == 1) {
            // From one above the product, as in shape 8 of this level: the
            // difference a − b×c never goes below zero and is never empty.
            v.a = draw(product + 1, Int16(2) * (product + 1));
        } else {
            // On level 2 with b×c = 6 this range is 11..10, and a is 11.
            v.a = draw(product + 5, intPart((product + 1).real() * 1.5));
        }
        v.r = v.a - product + v.d;
        first = u"a－b×c＋d＝r";
        second = u"a－c×b＋d＝r";
        break;
    }
    case 8: {
        v.b = draw(level, { { 2, 5 }, { 2, 6 }, { 3, 9 } });
        v.c = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.d = draw(level, { { 2, 7 }, { 3, 9 }, { 4, 19 } });
        const Int16 taken = v.b * v.c + v.d;
        v.a = draw(taken + perLevel<Int16>(level, { 1, 5, 5 }), intPart((taken + 1).real() * 1.5));
        v.r = v.a - taken;
        first = u"a－b×c－d＝r";
        second = u"a－c×b－d＝r";
        break;
    }
    case 9:
        v.a = draw(level, { { 2, 5 }, { 2, 6 }, { 3, 9 } });
        v.b = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.d = draw(level, { { 2, 5 }, { 2, 6 }, { 3, 9 } });
        v.c = v.d * v.q;
        v.r = v.a * v.b + v.q;
        first = u"a×b＋c÷d＝r";
        second = u"b×a＋c÷d＝r";
        break;
    case 10: {
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.d = draw(level, { { 2, 5 }, { 2, 6 }, { 3, 9 } });
        v.b = draw(level, { { 2, 5 }, { 3, 9 }, { 3, 9 } });
        const Int16 m = intPart(v.q.real() / v.b.real()) + 1;
        v.a = draw(m, Int16(2) * m);
        v.c = v.d * v.q;
        v.r = v.a * v.b - v.q;
        first = u"a×b－c÷d＝r";
        second = u"b×a－c÷d＝r";
        break;
    }
    case 11: {
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.d = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.b = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        const Int16 m = intPart((v.d * v.q).real() / v.b.real()) + 1;
        v.a = draw(m, level < 3 ? Int16(2) * m : std::min(Int16(2) * m, Int16(99)));
        v.c = v.a * v.b - v.d * v.q;
        v.r = v.q;
        // Levels 1 and 2 write this bracket's minus as the narrow ASCII sign.
        first = level < 3 ? u"(a×b-c)÷d＝r" : u"(a×b－c)÷d＝r";
        second = level < 3 ? u"(b×a-c)÷d＝r" : u"(b×a－c)÷d＝r";
        break;
    }
    case 12:
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.b = draw(level, { { 2, 5 }, { 2, 6 }, { 3, 9 } });
        v.a = v.b * v.q;
        v.c = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 19 } });
        v.d = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.r = (v.c + v.q) * v.d;
        first = u"(a÷b＋c)×d＝r";
        break;
    case 13:
        v.a = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.c = draw(level, { { 2, 5 }, { 2, 6 }, { 3, 9 } });
        v.b = v.c * v.q;
        v.d = draw(level, { { 2, 7 }, { 3, 9 }, { 10, 19 } });
        v.r = (v.d + v.q) * v.a;
        first = u"a×(b÷c＋d)＝r";
        break;
    default: { // 14
        v.b = draw(level, { { 2, 5 }, { 2, 6 }, { 4, 19 } });
        v.c = draw(level, { { 2, 5 }, { 3, 9 }, { 3, 9 } });
        const Int16 upper = intPart((v.b.real() * 0.8) * v.c.real() - 1);
        v.d = draw(intPart((v.b.real() * 0.3) * v.c.real() - 1),
            level < 3 ? upper : std::min(upper, Int16(99)));
        v.q = draw(level, { { 2, 5 }, { 3, 9 }, { 4, 19 } });
        v.a = (v.b * v.c - v.d) * v.q;
        v.r = v.q;
        // Level 1 writes this bracket's minus as the narrow ASCII sign.
        first = level == 1 ? u"a÷(b×c-d)＝r" : u"a÷(b×c－d)＝r";
        second = level == 1 ? u"a÷(c×b-d)＝r" : u"a÷(c×b－d)＝r";
        break;
    }
    }

    if (second.empty() || draw.swap())
        return writeForm(first, v);
    return writeForm(second, v);
}
