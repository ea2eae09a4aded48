#include "board.h"

using namespace Qt::Literals::StringLiterals;

void Board::deal(const std::array<int, 4> &numbers)
{
    for (int card = 0; card < 4; ++card)
        m_values[size_t(card)] = numbers[size_t(card)];
    m_operation = Operation::Add;
    clear();
}

void Board::clear()
{
    for (int card = 4; card < kCardCount; ++card)
        m_values[size_t(card)].reset();
    m_states.fill(CardState::Normal);
    for (QString &line : m_steps)
        line.clear();
    m_chosen.reset();
    m_verdict.reset();
}

QString Board::caption(int card) const
{
    const auto &value = m_values.at(size_t(card));
    return value ? QString::number(*value) : QString();
}

QList<int> Board::liveValues() const
{
    QList<int> values;
    for (int card = 0; card < kCardCount; ++card) {
        if (m_values[size_t(card)] && m_states[size_t(card)] != CardState::Used)
            values << *m_values[size_t(card)];
    }
    return values;
}

Board::CardState Board::state(int card) const
{
    return m_states.at(size_t(card));
}

QString Board::refusalText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::DivideByZero:
        return u"除数不能为零！"_s;
    case Outcome::NotExact:
        return u"走弯路了，不能整除！"_s;
    default:
        return QString();
    }
}

Board::Outcome Board::click(int card)
{
    if (card < 0 || card >= kFinalCard || !m_values[size_t(card)])
        return Outcome::Ignored;
    CardState &state = m_states[size_t(card)];
    if (state == CardState::Chosen) {
        state = CardState::Normal;
        m_chosen.reset();
        return Outcome::Released;
    }
    if (state == CardState::Used)
        return Outcome::Ignored;
    if (!m_chosen) {
        state = CardState::Chosen;
        m_chosen = card;
        return Outcome::Chosen;
    }

    // The step is the first result card still empty.
    int step = 0;
    while (step < 2 && m_values[size_t(4 + step)])
        ++step;
    const int a = *m_values[size_t(*m_chosen)];
    const int b = *m_values[size_t(card)];
    int result = 0;
    QChar sign;
    switch (m_operation) {
    case Operation::Add:
        result = a + b;
        sign = u'+';
        break;
    case Operation::Subtract:
        result = a - b;
        sign = u'-';
        break;
    case Operation::Multiply:
        result = a * b;
        sign = u'×';
        break;
    case Operation::Divide:
        // A refused division leaves the first operand chosen.
        if (b == 0)
            return Outcome::DivideByZero;
        if (a % b != 0)
            return Outcome::NotExact;
        result = a / b;
        sign = u'÷';
        break;
    }

    m_values[size_t(4 + step)] = result;
    m_steps[size_t(step)] = u"〖"_s + QString::number(a) + sign + QString::number(b) + u'='
        + QString::number(result) + u"〗"_s;
    m_states[size_t(*m_chosen)] = CardState::Used;
    state = CardState::Used;
    m_chosen.reset();
    if (step < 2)
        return Outcome::Stepped;
    m_verdict = result == 24;
    return *m_verdict ? Outcome::Solved : Outcome::Missed;
}
