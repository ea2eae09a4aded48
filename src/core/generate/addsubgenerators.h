#pragma once

#include <QString>

class FactBank;
class RandomSource;

// Type 1 "A + B" and type 2 "A - B". Level 1 deals from the fact bank; levels
// 2 to 5 draw two operands. Empty line for any other level.
QString makeAdditionQuestion(qint16 level, RandomSource &rnd, FactBank &facts);
QString makeSubtractionQuestion(qint16 level, RandomSource &rnd, FactBank &facts);
