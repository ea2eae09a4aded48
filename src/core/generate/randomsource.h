#pragma once

#include <QtGlobal>

// Every random draw of the program comes from a RandomSource: uniform values in
// [0, 1) with 24 bits of resolution, so each value is k / 2^24 and converts
// to float and double exactly. Generators take the source as an argument so
// that tests can script the draws a worked example implies.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;

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
