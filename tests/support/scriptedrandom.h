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
    // A raw draw of Rnd.
    ScriptedRandom &value(double r)
    {
        m_draws << float(r);
        return *this;
    }

    // The draw that randomInt(low, high) turns into v.
    ScriptedRandom &integer(int v, int low, int high)
    {
        const double n = high - low + 1;
        const double k = std::floor((v - low + 0.5) / n * kResolution);
        m_draws << float(k / kResolution);
        return *this;
    }

    // Draws for a swap or coin: taken (> 0.5) or not.
    ScriptedRandom &swap(bool taken) { return value(taken ? 0.75 : 0.25); }

    float next() override
    {
        if (m_next >= m_draws.size())
            throw std::logic_error("scripted draws exhausted");
        return m_draws.at(m_next++);
    }

    qsizetype used() const { return m_next; }
    qsizetype remaining() const { return m_draws.size() - m_next; }

private:
    QList<float> m_draws;
    qsizetype m_next = 0;
};
