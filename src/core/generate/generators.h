#pragma once

#include <QString>

class FactBank;
class RandomSource;

// One generator per question type. Each takes the level and returns a
// question line; a level outside its range gives the empty line (a single
// blank for type 4), after the shape draw where the generator makes one.

// Type 1 "A + B" and type 2 "A - B": level 1 deals from the fact bank.
QString makeAdditionQuestion(qint16 level, RandomSource &rnd, FactBank &facts);
QString makeSubtractionQuestion(qint16 level, RandomSource &rnd, FactBank &facts);

QString makeThreeTermQuestion(qint16 level, RandomSource &rnd); // type 4 "A±B±C"
QString makeMultiplicationQuestion(qint16 level, RandomSource &rnd); // type 5 "A × B"
QString makeMulAddSubQuestion(qint16 level, RandomSource &rnd); // type 6 "A±B×C"
QString makeDivisionQuestion(qint16 level, RandomSource &rnd); // type 7 "A ÷ B"
QString makeDivAddSubQuestion(qint16 level, RandomSource &rnd); // type 8 "A±B÷C"
QString makeMulDivChainQuestion(qint16 level, RandomSource &rnd); // type 9 "A×B÷C"
QString makeMixedQuestion(qint16 level, RandomSource &rnd); // type 10 "四则混合"
