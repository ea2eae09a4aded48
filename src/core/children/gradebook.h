#pragma once

#include "childlist.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// A class's results side by side: a row for each pupil in the order of the list, a column for
// each marked sheet or test any pupil has (by the day of its number, its type and level), the
// score in each cell; and each pupil's share right of every question type.
struct Gradebook
{
    QList<Child> pupils;
    QStringList columns; // "12月8日 A × B 二级"
    QList<QStringList> scores; // per pupil and column: "17/20", empty where none
    QStringList types;
    QList<QList<std::optional<int>>> percentRight; // per pupil and type, rounded

    static Gradebook of(Database &db, const QString &className);
    // As an .xlsx workbook: "成绩" and "各题型正确率". Whole or nothing; error says why.
    bool write(const QString &path, QString *error) const;
};
