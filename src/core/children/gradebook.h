#pragma once

#include "childlist.h"
#include "resulttables.h"

#include "quiz/testrecords.h"

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
    // "成绩" and "各题型正确率".
    QList<ResultTable> tables() const;
};

// A child's own history, for a family: every marked test, oldest first, and the child's share
// right of every question type over them.
struct ChildHistory
{
    Child child;
    QList<TestRecord> tests;

    static ChildHistory of(Database &db, const Child &child);
    // "测试记录" and "各题型正确率".
    QList<ResultTable> tables() const;
};
