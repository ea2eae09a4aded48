#pragma once

#include "checked16.h"
#include "numbers.h"
#include "randomsource.h"

#include <cmath>
#include <initializer_list>
#include <stdexcept>

// An inclusive range of a drawn value.
struct Span
{
    Int16 low, high;
};

// The entry of a per-level table row, written as the tables list them:
// perLevel(level, { level 1, level 2, … }).
template <typename T> T perLevel(qint16 level, std::initializer_list<T> entries)
{
    if (level < 1 || size_t(level) > entries.size())
        throw std::out_of_range("level outside the table");
    return entries.begin()[level - 1];
}

// The draws a generator makes, in the order it makes them.
class Draws
{
public:
    explicit Draws(RandomSource &rnd)
        : m_rnd(rnd)
    { }

    Int16 operator()(Int16 low, Int16 high) { return randomInt(low.value(), high.value(), m_rnd); }
    Int16 operator()(Span span) { return (*this)(span.low, span.high); }
    // A value whose range depends on the level: one span per level.
    Int16 operator()(qint16 level, std::initializer_list<Span> row)
    {
        return (*this)(perLevel(level, row));
    }

    // The swap draw: a fresh value, taken when strictly above one half.
    bool swap() { return m_rnd.next() > 0.5f; }

private:
    RandomSource &m_rnd;
};

// Fractional bounds, computed in double precision by the caller, brought to
// whole numbers: by their integer part, or to the nearest with halves to even.
inline Int16 intPart(double value)
{
    return checked16::fromDouble(std::floor(value));
}

inline Int16 nearest(double value)
{
    return checked16::fromDouble(roundHalfEven(value));
}
