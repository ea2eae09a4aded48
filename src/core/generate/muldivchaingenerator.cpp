#include "generators.h"

#include "draw.h"
#include "linewriter.h"

namespace {

// The three drawn values of each shape in draw order, per level:
// shape 1 A B C; shape 2 R B C; shape 3 D C A; shape 4 D B C.
constexpr Span kRanges[5][4][3] = {
    { { { 1, 5 }, { 2, 6 }, { 4, 9 } }, { { 4, 9 }, { 1, 5 }, { 2, 6 } },
        { { 1, 5 }, { 2, 6 }, { 4, 9 } }, { { 1, 5 }, { 2, 6 }, { 4, 9 } } },
    { { { 4, 18 }, { 2, 6 }, { 3, 9 } }, { { 4, 18 }, { 2, 6 }, { 3, 9 } },
        { { 2, 6 }, { 3, 9 }, { 4, 18 } }, { { 2, 6 }, { 3, 9 }, { 4, 18 } } },
    { { { 4, 19 }, { 4, 19 }, { 3, 9 } }, { { 4, 19 }, { 4, 19 }, { 3, 9 } },
        { { 4, 19 }, { 3, 9 }, { 4, 19 } }, { { 4, 19 }, { 3, 9 }, { 4, 19 } } },
    { { { 4, 19 }, { 4, 19 }, { 4, 19 } }, { { 4, 19 }, { 4, 19 }, { 4, 19 } },
        { { 4, 19 }, { 4, 19 }, { 10, 49 } }, { { 4, 19 }, { 4, 19 }, { 10, 49 } } },
    { { { 4, 19 }, { 4, 19 }, { 10, 49 } }, { { 4, 19 }, { 4, 19 }, { 10, 49 } },
        { { 10, 49 }, { 4, 19 }, { 20, 99 } }, { { 10, 49 }, { 4, 19 }, { 20, 99 } } },
};

constexpr std::u16string_view kProductOrders[6]
    = { u"a×b×c＝r", u"a×c×b＝r", u"b×a×c＝r", u"b×c×a＝r", u"c×a×b＝r", u"c×b×a＝r" };

} // namespace

// Type 9 "A×B÷C". Divisions are exact by construction: the hidden factor D
// and the answer are drawn, the dividends are products.
QString makeMulDivChainQuestion(qint16 level, RandomSource &rnd)
{
    Draws draw(rnd);
    const int shape = draw(1, 4).value();
    if (level < 1 || level > 5)
        return QString();

    const Span *range = kRanges[level - 1][shape - 1];
    Operands v;
    switch (shape) {
    case 1: // A × B × C
        v.a = draw(range[0]);
        v.b = draw(range[1]);
        v.c = draw(range[2]);
        v.r = v.a * v.b * v.c;
        return writeForm(kProductOrders[draw(1, 6).value() - 1], v);
    case 2: // A ÷ B ÷ C
        v.r = draw(range[0]);
        v.b = draw(range[1]);
        v.c = draw(range[2]);
        v.a = v.c * v.b * v.r;
        return writeForm(draw.swap() ? u"a÷b÷c＝r" : u"a÷c÷b＝r", v);
    case 3: { // A × B ÷ C
        const Int16 hidden = draw(range[0]);
        v.c = draw(range[1]);
        v.a = draw(range[2]);
        v.b = hidden * v.c;
        v.r = hidden * v.a;
        return writeForm(draw.swap() ? u"a×b÷c＝r" : u"b×a÷c＝r", v);
    }
    default: { // A ÷ B × C
        const Int16 hidden = draw(range[0]);
        v.b = draw(range[1]);
        v.c = draw(range[2]);
        v.a = hidden * v.b;
        v.r = hidden * v.c;
        return writeForm(u"a÷b×c＝r", v);
    }
    }
}
