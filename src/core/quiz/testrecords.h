#pragma once

#include "testitem.h"

#include <QList>
#include <QString>

#include <optional>

class Database;

// A stored test as the records list shows it; null columns stay empty.
struct TestRecord
{
    qint64 id = 0;
    QString number {}; // bh
    QString typeName {}; // tx
    QString levelName {}; // nd
    std::optional<qint64> count {}, elapsed {}, right {}, wrong {};
    QString timeText {}; // sj
    std::optional<qint64> marked {}; // zt
    qint64 child = 0; // whose test it is
};

enum class ItemOrder { Question, WrongFirst };

// Every stored test of a child (the first child where none is given), newest first.
QList<TestRecord> listTestRecords(Database &db, std::optional<qint64> child = std::nullopt);
std::optional<TestRecord> findTestRecord(Database &db, const QString &number);
QList<TestItem> loadTestItems(Database &db, const QString &number, ItemOrder order);
