#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

// 竖式: a question written in columns, as the textbook teaches it, on a grid of squares one
// digit wide. Numbers stand by place, ones under ones; the operator left of the lower number;
// a rule under the numbers added, taken or multiplied. Long division has the divisor left of
// its bracket, the dividend under it and the quotient above.
//
// What the question sheet shows is the question's numbers; the answer sheet adds the working:
// carries, borrowing dots, partial products, the steps of long division and the result.
struct ColumnGlyph
{
    enum class Kind : quint8 {
        Digit, // a digit in the middle of its square
        Carry, // a digit carried, small, low in the square of the column it is carried to
        BorrowDot, // over a digit borrowed from
        Operator, // ＋ － × in the square left of the lower number
        Rule, // under the row, across span squares from column
        Bracket, // long division's 厂: down the left of column, over span squares of the row
    };
    Kind kind = Kind::Digit;
    int row = 0;
    int column = 0;
    int span = 1;
    QChar text; // Digit, Carry and Operator
    bool working = false; // shown on the answer sheet only

    bool operator==(const ColumnGlyph &) const = default;
};

struct ColumnForm
{
    enum class Operation : quint8 { AddSubtract, Multiply, Divide };
    Operation operation = Operation::AddSubtract;
    int rows = 0;
    int columns = 0;
    QList<ColumnGlyph> glyphs;

    // The question's line as printed above the squares.
    QString line;
};

namespace columnform {

// The question types a 竖式 is taught for: A + B, A - B, A ± B, A±B±C, A × B and A ÷ B.
bool offersType(qint16 type);

// The form of a question line ("268 ＋ 155 ＝ 423", the answer may be missing). Nothing where
// the line is not a number, an operator and a number (and for A±B±C an operator and a third),
// where the operators are not all ＋ and －, or one ×, or one ÷, where a partial result falls
// below zero, or where a division leaves a remainder.
// A±B±C is written in two steps: A ± B with its result, then ± C under that result.
std::optional<ColumnForm> of(const QString &line);

} // namespace columnform
