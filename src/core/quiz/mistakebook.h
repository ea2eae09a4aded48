#pragma once

#include "testitem.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class Database;

// A question the child got wrong, kept until it is learned.
struct Mistake
{
    qint64 id = 0;
    QString question; // up to and including "＝"
    QString answer;
    qint16 type = 0;
    qint16 level = 0;
    int wrongCount = 0;
    int rightSince = 0; // right answers since it was last wrong
    QDateTime firstSeen;
    QDateTime lastSeen;
    bool learned = false;
};

// The wrong-answer book. A question enters when it is answered wrong in a
// marked test and leaves once it has been answered right in two later tests;
// answered wrong again, it counts up and starts over. Nothing is deleted.
class MistakeBook
{
public:
    static constexpr int kRightToLearn = 2;

    // The book of a child; of the first child where none is given.
    explicit MistakeBook(Database &db, std::optional<qint64> child = std::nullopt);

    // The items of a test just marked; new entries take the test's type and
    // level. Runs inside the caller's transaction.
    void recordMarked(
        const QList<TestItem> &items, qint16 type, qint16 level, const QDateTime &when);

    // What is still to learn, oldest first; of one type when given.
    QList<Mistake> toLearn(std::optional<qint16> type = std::nullopt, int limit = -1) const;
    std::optional<Mistake> find(const QString &question) const;

private:
    Database &m_db;
    qint64 m_child;
};
