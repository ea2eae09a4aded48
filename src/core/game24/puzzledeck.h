#pragma once

#include <QList>
#include <QString>

#include <array>

class Database;
class RandomSource;

// The puzzles of one level as the game deals them: the unsolved ones, loaded
// in their random order, dealt round and round until the level changes.
class PuzzleDeck
{
public:
    struct Deal
    {
        qint64 id = 0;
        std::array<int, 4> cards {}; // the numbers as placed on cards 0-3
        QString answerText; // "【答案】：…"
        QString progressText; // "【 n / m 】"
    };

    explicit PuzzleDeck(Database &db);

    // Loads the unsolved puzzles of the level; when none is left, the whole
    // level starts a new round first. A row with a number outside 1..13 is
    // damaged and never dealt. When reading fails the deck stays as it was.
    void load(int level);
    int level() const { return m_level; }
    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // The next puzzle, its numbers placed on the cards in random order.
    Deal deal(RandomSource &rnd);

    // A solved puzzle leaves the round in the file at once (it stays in the
    // loaded deck) and gets a new place in the next round's order.
    void markSolved(qint64 id);

    static QStringList levelCaptions(); // "【一级】-> 简单" …

    // A puzzle as the file holds it: each value as stored, so that a listing shows a damaged
    // row as it is, and the answer readable.
    struct Stored
    {
        QString id;
        QString level;
        std::array<QString, 4> numbers;
        QString played;
        QString answer;
    };
    // The puzzles of the level, of all levels for 0, in the order of their ids.
    static QList<Stored> stored(Database &db, int level);

private:
    struct Row
    {
        qint64 id;
        std::array<int, 4> numbers;
        QString answerCode;
    };

    Database &m_db;
    int m_level = 1;
    QList<Row> m_rows;
    int m_next = 0;
};
