#pragma once

#include <QtGlobal>

#include <cmath>

// Every random draw of the program comes from a RandomSource: uniform values in
// [0, 1) with 24 bits of resolution, so each value is k / 2^24 and converts
// to float and double exactly. Generators take the source as an argument so
// that tests can script the draws a worked example implies.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
    // One of count whole numbers from 0 up, each as likely: count × next() rounded down,
    // formed in double: in single precision the largest draw (1 - 2^-24) would round up to
    // count for some counts. A count below 1 gives count × next() rounded down all the same.
    virtual qint64 nextBelow(qint64 count) { return qint64(std::floor(double(count) * next())); }

    static constexpr double kResolution = 16777216.0; // 2^24
};

// The program's own source: SplitMix64, whose top 24 bits form each value.
// Same seed, same sequence, on every machine.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(quint64 seed = 0)
        : m_state(seed)
    { }

    float next() override;
    void reseed(quint64 seed) { m_state = seed; }
    void reseedFromClock();

private:
    quint64 m_state;
};

// The one process-wide source, seeded from the clock on first use.
SeededRandom &processRandom();
