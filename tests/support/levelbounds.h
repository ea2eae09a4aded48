#pragma once

#include <QtGlobal>

// The largest number a line of the type and level may write, operand or
// answer, worked out from the range tables by hand: a bound that a wrong
// range or a wrong formula in a generator soon exceeds.
inline qint64 largestNumber(int type, int level)
{
    static const qint64 table[11][6] = {
        {}, { 0, 10, 18, 28, 148, 998 }, // 1: the sum
        { 0, 10, 18, 28, 148, 998 }, // 2: the minuend
        { 0, 10, 18, 28, 148, 998 }, // 3
        { 0, 18, 37, 87, 167, 997 }, // 4: shape 1's sum
        { 0, 81, 171, 361, 931, 4851 }, // 5: the product
        { 0, 99, 342, 722, 1030, 9702 }, // 6: shape 2's minuend, shape 1's sum on level 4
        { 0, 81, 171, 361, 931, 4851 }, // 7: the dividend
        { 0, 99, 291, 614, 999, 8247 }, // 8: shape 6's minuend
        { 0, 270, 972, 3249, 6859, 17689 }, // 9: shapes 1 and 2
        { 0, 95, 351, 2299, 0, 0 }, // 10: shape 14's dividend
    };
    return type >= 1 && type <= 10 && level >= 1 && level <= 5 ? table[type][level] : 0;
}
