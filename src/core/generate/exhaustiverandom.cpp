#include "exhaustiverandom.h"

float ExhaustiveRandom::next()
{
    return turn(2) == 0 ? 0.25f : 0.75f;
}

qint64 ExhaustiveRandom::nextBelow(qint64 count)
{
    // A range without values gives what any draw of it gives: nothing to walk.
    return count < 1 ? 0 : turn(count);
}

qint64 ExhaustiveRandom::turn(qint64 count)
{
    if (m_at == m_wheels.size())
        m_wheels.append({ 0, qMax<qint64>(count, 1) });
    return m_wheels.at(m_at++).value;
}

bool ExhaustiveRandom::advance()
{
    m_at = 0;
    while (!m_wheels.isEmpty()) {
        Wheel &last = m_wheels.last();
        if (++last.value < last.count)
            return true;
        m_wheels.removeLast();
    }
    return false;
}
