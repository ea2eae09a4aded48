#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The 24-point board: four number cards (0-3), three result cards (4-6) and
// three step lines. A click chooses a first card, a second click with the
// chosen operation combines the two onto the next free result card.
class Board
{
public:
    static constexpr int kCardCount = 7;
    static constexpr int kFinalCard = 6;

    enum class CardState { Normal, Chosen, Used };
    enum class Operation { Add, Subtract, Multiply, Divide };
    enum class Outcome {
        Ignored, // an empty, used or final card
        Chosen, // became the first operand
        Released, // the first operand clicked again
        DivideByZero, // refused: "除数不能为零！"
        NotExact, // refused: "走弯路了，不能整除！"
        Stepped, // step 1 or 2 done
        Solved, // step 3 reached 24
        Missed, // step 3 did not
    };

    // A new puzzle: the four numbers on cards 0-3, everything else cleared.
    void deal(const std::array<int, 4> &numbers);
    // Back to the start of the same puzzle.
    void clear();

    Outcome click(int card);

    Operation operation() const { return m_operation; }
    void setOperation(Operation operation) { m_operation = operation; }

    QString caption(int card) const;
    // The values still to be combined: every card with a value not yet used.
    QList<int> liveValues() const;
    CardState state(int card) const;
    QString stepLine(int step) const { return m_steps.at(size_t(step)); }
    std::optional<int> chosenCard() const { return m_chosen; }
    // After the third step: whether the last result is 24.
    std::optional<bool> verdict() const { return m_verdict; }

    static QString refusalText(Outcome outcome);

private:
    std::array<std::optional<int>, kCardCount> m_values;
    std::array<CardState, kCardCount> m_states {};
    std::array<QString, 3> m_steps;
    std::optional<int> m_chosen;
    std::optional<bool> m_verdict;
    Operation m_operation = Operation::Add;
};
