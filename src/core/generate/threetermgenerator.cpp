#include "generators.h"

#include "draw.h"
#include "linewriter.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

// Type 4 "A±B±C". Shapes: 1 A＋B＋C, 2 A＋B－C, 3 A－B＋C, 4 A－B－C. Every bound
// keeps each partial result at zero or more.
QString makeThreeTermQuestion(qint16 level, RandomSource &rnd)
{
    Draws draw(rnd);
    const Int16 shape = draw(1, 4);
    if (level < 1 || level > 5)
        return u" "_s;

    Int16 a, b, c, r;
    switch (shape.value()) {
    case 1:
        a = draw(level, { { 1, 9 }, { 5, 19 }, { 10, 49 }, { 40, 99 }, { 100, 699 } });
        b = draw(level, { { 1, 4 }, { 2, 9 }, { 5, 19 }, { 10, 49 }, { 50, 199 } });
        c = draw(level, { { 1, 5 }, { 1, 9 }, { 2, 19 }, { 5, 19 }, { 10, 99 } });
        r = a + b + c;
        break;
    case 2:
        a = draw(level, { { 1, 9 }, { 5, 19 }, { 10, 49 }, { 40, 99 }, { 100, 899 } });
        b = draw(level, { { 1, 5 }, { 2, 9 }, { 2, 19 }, { 5, 19 }, { 10, 99 } });
        if (level == 1)
            c = draw(1, std::min(a + b, Int16(9)));
        else
            c = draw(intPart((a + b).real() * 0.3), intPart((a + b).real() * 0.8));
        r = a + b - c;
        break;
    case 3:
        a = draw(level, { { 4, 9 }, { 5, 19 }, { 10, 49 }, { 40, 99 }, { 100, 899 } });
        if (level == 1)
            b = draw(intPart(a.real() / 2), a);
        else
            b = draw(intPart(a.real() * 0.3), intPart(a.real() * 0.8));
        c = draw(level, { { 1, 5 }, { 2, 9 }, { 2, 19 }, { 5, 19 }, { 10, 99 } });
        r = a - b + c;
        break;
    default: {
        b = draw(level, { { 1, 4 }, { 2, 9 }, { 5, 19 }, { 10, 49 }, { 50, 199 } });
        c = draw(level, { { 1, 5 }, { 1, 9 }, { 2, 19 }, { 5, 19 }, { 10, 99 } });
        const Int16 sum = b + c;
        const Int16 twice = Int16(2) * sum;
        switch (level) {
        case 1:
            a = draw(sum, 9);
            break;
        case 2:
            a = draw(sum, twice);
            break;
        case 3:
            a = draw(sum, std::min(twice, Int16(49)));
            break;
        case 4:
            a = draw(sum, std::min(twice, Int16(99)));
            break;
        // At least 100 left over, so the answer keeps three digits.
        default:
            a = draw(twice < Int16(199) ? Int16(199) : sum + 100, 599);
            break;
        }
        r = a - b - c;
        break;
    }
    }

    // The written order of the terms and the signs between them.
    const Int16 drawn[3] = { a, b, c };
    Int16 terms[3] = { a, b, c };
    std::u16string_view signs[2] = { u" ＋ ", u" ＋ " };
    if (shape.value() == 1) {
        static constexpr int kOrders[6][3]
            = { { 0, 1, 2 }, { 0, 2, 1 }, { 1, 0, 2 }, { 1, 2, 0 }, { 2, 0, 1 }, { 2, 1, 0 } };
        const int *order = kOrders[draw(1, 6).value() - 1];
        for (int i = 0; i < 3; ++i)
            terms[i] = drawn[order[i]];
    } else if (shape.value() == 2) {
        if (!draw.swap())
            std::swap(terms[0], terms[1]);
        signs[1] = u" － ";
    } else if (shape.value() == 3) {
        signs[0] = u" － ";
    } else {
        if (!draw.swap())
            std::swap(terms[1], terms[2]);
        signs[0] = signs[1] = u" － ";
    }

    const int operandWidth = perLevel(level, { 1, 2, 2, 2, 3 });
    const int answerWidth = perLevel(level, { 2, 2, 2, 3, 3 });
    LineWriter line;
    line.text(u" ");
    line.centered(terms[0].value(), operandWidth).text(signs[0]);
    line.centered(terms[1].value(), operandWidth).text(signs[1]);
    line.centered(terms[2].value(), operandWidth).text(u" ＝ ");
    line.centered(r.value(), answerWidth);
    return line.toString();
}
