#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Board;

// Hints for the board as it stands: each request reveals one more step of an
// easy way to 24 from the values still in play. When the child plays a step,
// the next request plans afresh from there.
class HintGuide
{
public:
    struct Hint
    {
        QStringList steps; // the steps revealed so far, as step lines
        bool deadEnd = false; // no way to 24 from here
        QString message; // what to say about it, where the goal stands
    };

    Hint next(const Board &board);
    void reset();

    static QString deadEndText(); // "这一步走不通了，\n点【重新计算】再来"

private:
    QList<int> m_plannedFor; // the values the current plan starts from
    QStringList m_plan;
    int m_revealed = 0;
};
