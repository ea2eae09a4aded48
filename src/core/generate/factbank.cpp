#include "factbank.h"

#include "linewriter.h"
#include "numbers.h"

#include <algorithm>
#include <numeric>

namespace {

QStringList buildFacts(FactBank::Kind kind)
{
    QStringList facts;
    if (kind == FactBank::Kind::Addition) {
        for (qint16 a = 1; a <= 9; ++a) {
            for (qint16 total = a + 1; total <= 10; ++total) {
                Operands v;
                v.a = a;
                v.c = total - a;
                v.s = total;
                facts << writeForm(u" a ＋ c ＝ s2", v);
            }
        }
    } else {
        for (qint16 minuend = 2; minuend <= 10; ++minuend) {
            for (qint16 k = 1; k < minuend; ++k) {
                Operands v;
                v.b = k;
                v.d = minuend - k;
                v.s = minuend;
                facts << writeForm(u"s2 － b ＝ d2", v);
            }
        }
    }
    return facts;
}

} // namespace

FactBank::FactBank(Kind kind)
    : m_facts(facts(kind))
{ }

const QStringList &FactBank::facts(Kind kind)
{
    static const QStringList addition = buildFacts(Kind::Addition);
    static const QStringList subtraction = buildFacts(Kind::Subtraction);
    return kind == Kind::Addition ? addition : subtraction;
}

QString FactBank::deal(RandomSource &rnd)
{
    // The shuffle happens when a fact is asked for after a finished round, not
    // when the round ends, so its draws fall where the next question is made.
    if (m_next < 0 || m_next == kFactCount)
        shuffle(rnd);
    return m_facts.at(m_order[m_next++]);
}

void FactBank::shuffle(RandomSource &rnd)
{
    std::array<qint16, kFactCount> keys;
    for (qint16 &key : keys)
        key = randomInt(1, 9999, rnd);
    std::iota(m_order.begin(), m_order.end(), 0);
    // Equal keys keep the order of creation.
    std::stable_sort(
        m_order.begin(), m_order.end(), [&keys](quint8 x, quint8 y) { return keys[x] < keys[y]; });
    m_next = 0;
}
