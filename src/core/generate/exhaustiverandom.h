#pragma once

#include "randomsource.h"

#include <QList>

// Walks every sequence of draws a generator can make, one run of the generator at a time:
// the first run takes the lowest outcome of every draw, each later run the next sequence,
// like an odometer whose wheels appear as the generator asks for them. A draw's outcomes
// may depend on the draws before it. So "can this level ever write such a line?" is
// answered by the generator itself, not by a second copy of its ranges.
class ExhaustiveRandom final : public RandomSource
{
public:
    // Two outcomes: one below a half and one above.
    float next() override;
    qint64 nextBelow(qint64 count) override;

    // Moves on to the next sequence; false once every sequence has been run.
    bool advance();

private:
    struct Wheel
    {
        qint64 value;
        qint64 count;
    };
    qint64 turn(qint64 count);

    QList<Wheel> m_wheels;
    qsizetype m_at = 0;
};
