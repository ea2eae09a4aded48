#pragma once

#include "generate/randomsource.h"

#include <QList>

#include <cmath>
#include <optional>
#include <stdexcept>

// A random source that returns the draws a test scripts, so a worked example
// can be reproduced exactly. Running out of draws is a test failure.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(const QList<float> &draws = {})
        : m_draws(draws)
    { }

    // The draw that randomInt(low, high) turns into v.
    static float drawFor(int v, int low, int high)
    {
        const double n = high - low + 1;
        return float(std::floor((v - low + 0.5) / n * kResolution) / kResolution);
    }

    // After the script, every further draw is this value instead of a failure.
    void thenAlways(double r) { m_fallback = float(r); }

    float next() override
    {
        const qsizetype at = m_used++;
        if (at < m_draws.size())
            return m_draws.at(at);
        if (!m_fallback)
            throw std::logic_error("scripted draws exhausted");
        return *m_fallback;
    }

    qsizetype used() const { return m_used; }

private:
    QList<float> m_draws;
    qsizetype m_used = 0;
    std::optional<float> m_fallback;
};
