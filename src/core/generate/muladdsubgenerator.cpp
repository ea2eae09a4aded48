#include "generators.h"

#include "draw.h"
#include "linewriter.h"

#include <algorithm>

namespace {

constexpr Int16 kUncapped = 32767;

struct Shape
{
    std::u16string_view swapTaken, swapNotTaken; // equal where no swap draw is made
    bool swaps;
};

constexpr Shape kShapes[8] = {
    { u"a＋b×c＝r", u"a＋c×b＝r", true },
    { u"a－b×c＝r", u"a－c×b＝r", true },
    { u"a×b＋c＝r", u"b×a＋c＝r", true },
    { u"a×b－c＝r", u"b×a－c＝r", true },
    { u"(a＋b)×c＝r", u"(b＋a)×c＝r", true },
    { u"(a－b)×c＝r", u"(a－b)×c＝r", false },
    { u"a×(b＋c)＝r", u"a×(c＋b)＝r", true },
    { u"a×(b－c)＝r", u"a×(b－c)＝r", false },
};

} // namespace

// Type 6 "A±B×C": one product with one sum or difference, plain or with one
// pair of parentheses. Each row below is one row of the range table, levels
// 1 to 5 left to right.
QString makeMulAddSubQuestion(qint16 level, RandomSource &rnd)
{
    Draws draw(rnd);
    const int shape = draw(1, 8).value();
    if (level < 1 || level > 5)
        return QString();

    Operands v;
    switch (shape) {
    case 1: // a + b×c
        v.a = draw(level, { { 1, 9 }, { 5, 19 }, { 10, 49 }, { 20, 99 }, { 100, 499 } });
        v.b = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 5, 19 }, { 20, 99 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 10, 49 }, { 10, 49 } });
        v.r = v.a + v.b * v.c;
        break;
    case 2: { // a − b×c
        v.b = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 5, 19 }, { 20, 99 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 10, 49 }, { 10, 49 } });
        const Int16 product = v.b * v.c;
        const Int16 margin = perLevel<Int16>(level, { 0, 5, 15, 25, 100 });
        const Int16 cap = perLevel<Int16>(level, { 99, kUncapped, kUncapped, 999, kUncapped });
        v.a = draw(product + margin, std::min(Int16(2) * product, cap));
        v.r = v.a - product;
        break;
    }
    case 3: // a×b + c
        v.a = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 5, 19 }, { 20, 99 } });
        v.b = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 10, 49 }, { 10, 49 } });
        v.c = draw(level, { { 1, 9 }, { 5, 19 }, { 10, 49 }, { 20, 99 }, { 100, 499 } });
        v.r = v.a * v.b + v.c;
        break;
    case 4: { // a×b − c
        v.a = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 5, 19 }, { 20, 99 } });
        v.b = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 10, 49 }, { 10, 49 } });
        const Int16 product = v.a * v.b;
        const Int16 margin = perLevel<Int16>(level, { 0, 3, 10, 20, 100 });
        v.c = draw(intPart(product.real() / 2), product - margin);
        v.r = product - v.c;
        break;
    }
    case 5: { // (a + b)×c, the bracket drawn as d
        v.d = draw(level, { { 4, 9 }, { 10, 19 }, { 10, 19 }, { 20, 49 }, { 40, 99 } });
        const Int16 low = perLevel<Int16>(level, { 1, 5, 5, 10, 20 });
        const Int16 margin = perLevel<Int16>(level, { 1, 3, 3, 8, 15 });
        v.a = draw(low, v.d - margin);
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.b = v.d - v.a;
        v.r = v.d * v.c;
        break;
    }
    case 6: // (a − b)×c, the bracket drawn as d
        v.d = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.b = draw(level, { { 1, 5 }, { 2, 9 }, { 2, 9 }, { 5, 19 }, { 10, 49 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.a = v.d + v.b;
        v.r = v.d * v.c;
        break;
    case 7: { // a×(b + c), the bracket drawn as d
        v.a = draw(level, { { 1, 9 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.d = draw(level, { { 4, 9 }, { 10, 19 }, { 10, 19 }, { 20, 49 }, { 40, 99 } });
        const Int16 low = perLevel<Int16>(level, { 1, 5, 5, 10, 20 });
        const Int16 margin = perLevel<Int16>(level, { 1, 3, 3, 8, 15 });
        v.b = draw(low, v.d - margin);
        v.c = v.d - v.b;
        v.r = v.a * v.d;
        break;
    }
    default: // a×(b − c), the bracket drawn as d
        v.a = draw(level, { { 1, 4 }, { 2, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 } });
        v.d = draw(level, { { 1, 9 }, { 5, 19 }, { 5, 19 }, { 10, 49 }, { 20, 99 } });
        v.c = draw(level, { { 1, 9 }, { 2, 9 }, { 2, 9 }, { 5, 19 }, { 10, 49 } });
        v.b = v.d + v.c;
        v.r = v.a * v.d;
        break;
    }

    const Shape &form = kShapes[shape - 1];
    return writeForm(!form.swaps || draw.swap() ? form.swapTaken : form.swapNotTaken, v);
}
