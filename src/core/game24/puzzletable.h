#pragma once

#include "solver.h"

#include <QList>
#include <QString>

class Database;
class SeededRandom;

namespace game24 {

inline constexpr int kLevelCount = 5;

struct Puzzle
{
    Hand numbers; // ascending
    int level; // 1 简单 … 5 很难
    QString answer; // the easiest route found
    int solutionCount; // distinct solutions
    double difficulty;
};

// Every hand of four numbers 1..13 that reaches 24, each once, in five levels
// of nearly equal size.
QList<Puzzle> buildPuzzles();

// A stored answer made readable.
QString decodeAnswer(const QString &code);

// Fills tab_24 of a new file: ids in hand order, nobody has played yet, and a
// fresh random sort key each.
void storePuzzles(Database &db, SeededRandom &rnd);

} // namespace game24
