#pragma once

#include <QStringList>

#include <array>

class RandomSource;

// The 45 one-digit addition or subtraction facts of level 1, dealt in a
// shuffled order: every fact once per round, then a fresh shuffle.
class FactBank
{
public:
    enum class Kind { Addition, Subtraction };
    static constexpr int kFactCount = 45;

    explicit FactBank(Kind kind);

    QString deal(RandomSource &rnd);

    // The facts in the order they are created (fact number 1 first).
    static const QStringList &facts(Kind kind);

private:
    void shuffle(RandomSource &rnd);

    const QStringList &m_facts;
    std::array<quint8, kFactCount> m_order {};
    int m_next = -1; // -1: not built yet; kFactCount: round finished
};
