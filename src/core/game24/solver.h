#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

// Solves a 24-point hand the way the game is played: three steps, each
// combining two of the values left with + − × ÷ into one. A step may go below
// zero; a division only when it is exact and the divisor is not zero.
namespace game24 {

using Hand = std::array<int, 4>;

struct Solution
{
    QString expression; // readable, e.g. "(8-3)×3+9", each number once
    QString canonical; // the same up to order of terms and regrouping
    double effort; // how hard this route is to find (see solver.cpp)
};

// Every solution of the hand, one per distinct canonical form: two solutions
// are the same when they differ only in the order of the terms of a sum or a
// product (a-b+c is c+a-b, a÷b×c is c×a÷b), in how such a chain is grouped
// ((a+b)+c is a+(b+c)) or in where a 1 is multiplied or divided in (a×b×1 is
// (a×1)×b and a×b÷1). Solutions that go below zero on the way are listed only
// when there are no others.
QList<Solution> solve(const Hand &hand);
bool isSolvable(const Hand &hand);
// The ways a child may click through to 24, which tell how easily a hand is
// solved: every calculation the board accepts, with those that go below zero
// or differ only in where a 1 is multiplied or divided in counted apart.
int routeCount(const Hand &hand);

// One step of the game: two values combined into one.
struct Step
{
    int left = 0;
    QChar sign;
    int right = 0;
    int result = 0;

    // As the game writes its step lines: 〖8-3=5〗.
    QString text() const;
};

// The steps of the easiest way from these values (one to four of them) to 24;
// none when there is no way, an empty list when the only value is 24.
std::optional<QList<Step>> planFrom(const QList<int> &values);

} // namespace game24
