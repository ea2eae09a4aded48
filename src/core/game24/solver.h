#pragma once

#include <QList>
#include <QString>

#include <array>

// Solves a 24-point hand the way the game is played: three steps, each
// combining two of the values left with + − × ÷ into one. A step may go below
// zero; a division only when it is exact and the divisor is not zero.
namespace game24 {

using Hand = std::array<int, 4>;

struct Solution
{
    QString expression; // readable, e.g. "(8-3)×3+9", each number once
    QString canonical;  // the same up to order of terms and regrouping
    double effort;      // how hard this route is to find (see solver.cpp)
};

// Every solution of the hand, one per distinct canonical form.
QList<Solution> solve(const Hand &hand);
bool isSolvable(const Hand &hand);

} // namespace game24
