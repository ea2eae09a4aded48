#include "numbers.h"

#include "checked16.h"
#include "linewriter.h"
#include "randomsource.h"

#include <cmath>

qint16 randomInt(qint16 low, qint16 high, RandomSource &rnd)
{
    const qint16 count = checked16::add(checked16::sub(high, low), 1);
    return checked16::fromDouble(double(rnd.nextBelow(count)) + double(low));
}

QString centerNumber(qint16 value, qint16 width)
{
    LineWriter writer;
    writer.centered(value, width);
    return writer.toString();
}

double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}
