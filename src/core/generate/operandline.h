#pragma once

#include <QList>
#include <QString>

// The operands of a line of sums, differences, products or quotients of whole numbers, e.g.
// "  7 ＋ 17 ＝ 24": each number before the "＝" with its place in the line, and the signs
// between them, left to right.
struct OperandLine
{
    struct Operand
    {
        qsizetype position = 0;
        qsizetype length = 0;
        int value = 0;
    };

    QList<Operand> operands;
    QList<QChar> signs; // one fewer than operands: ＋ － × ÷

    // Empty where the part before "＝" is not numbers joined by those signs (brackets,
    // fractions, a missing "＝").
    static OperandLine read(const QString &line);

    bool isEmpty() const { return operands.isEmpty(); }
};

namespace carry {

// Written under each other: some column of the two numbers adds up to ten or more.
bool additionCarries(int a, int b);
// Some column of the bottom number is larger than the top's, once the columns to its right
// have borrowed.
bool subtractionBorrows(int top, int bottom);
// Worked left to right, some step of the line's sums and differences carries or borrows.
// False for a line that is not sums and differences.
bool lineCarriesOrBorrows(const OperandLine &line);

} // namespace carry
