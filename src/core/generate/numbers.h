#pragma once

#include <QString>

class RandomSource;

// A uniformly drawn integer from low to high, both inclusive. high - low + 1
// must fit 16 bits (std::overflow_error otherwise). When high is low - 1 the
// result is low, which some question shapes rely on.
qint16 randomInt(qint16 low, qint16 high, RandomSource &rnd);

// The decimal text of value centred in a field of width characters; an odd
// spare blank goes to the left. A longer number is never cut.
QString centerNumber(qint16 value, qint16 width);

// Nearest integer, an exact half going to the even neighbour. The one rounding
// helper of the program.
double roundHalfEven(double value);
