#include "randomsource.h"

#include <chrono>

float SeededRandom::next()
{
    quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return float(z >> 40) / float(kResolution);
}

void SeededRandom::reseedFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch();
    m_state = quint64(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

SeededRandom &processRandom()
{
    static SeededRandom source = [] {
        SeededRandom seeded;
        seeded.reseedFromClock();
        return seeded;
    }();
    return source;
}
