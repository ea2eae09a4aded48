#pragma once

#include "generate/randomsource.h"

#include <QList>

#include <cmath>

#include <stdexcept>

// A random source that returns the draws a test scripts, so a worked example
// can be reproduced exactly. Running out of draws is a test failure.
class ScriptedRandom final : public RandomSource
{
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(const QList<float> &draws)
        : m_draws(draws)
    { }

    // The draw that randomInt(low, high) turns into v.
    static float drawFor(int v, int low, int high)
    {
        const double n = high - low + 1;
        return float(std::floor((v - low + 0.5) / n * kResolution) / kResolution);
    }

    // After the script, every further draw is this value instead of a failure.
    ScriptedRandom &thenAlways(double r)
    {
        m_fallback = float(r);
        m_hasFallback = true;
        return *this;
    }

    // A raw draw of Rnd.
    ScriptedRandom &value(double r)
    {
        m_draws << float(r);
        return *this;
    }

    // The draw that randomInt(low, high) turns into v.
    ScriptedRandom &integer(int v, int low, int high)
    {
        m_draws << drawFor(v, low, high);
        return *this;
    }

    // Draws for a swap or coin: taken (> 0.5) or not.
    ScriptedRandom &swap(bool taken) { return value(taken ? 0.75 : 0.25); }

    float next() override
    {
        ++m_used;
        if (m_next >= m_draws.size()) {
            if (m_hasFallback)
                return m_fallback;
            throw std::logic_error("scripted draws exhausted");
        }
        return m_draws.at(m_next++);
    }

    qsizetype used() const { return m_used; }
    qsizetype remaining() const { return m_draws.size() - m_next; }

private:
    QList<float> m_draws;
    qsizetype m_next = 0;
    qsizetype m_used = 0;
    float m_fallback = 0;
    bool m_hasFallback = false;
};
