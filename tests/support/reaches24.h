#pragma once

#include <QList>

// A plain search, apart from the program's solver: does some order of
// whole-number steps bring these values to 24?
inline bool reaches24(const QList<int> &values)
{
    if (values.size() == 1)
        return values[0] == 24;
    for (qsizetype i = 0; i < values.size(); ++i) {
        for (qsizetype j = 0; j < values.size(); ++j) {
            if (i == j)
                continue;
            const int x = values[i], y = values[j];
            QList<int> rest = values;
            rest.remove(std::max(i, j));
            rest.remove(std::min(i, j));
            QList<int> results { x + y, x - y, x * y };
            if (y != 0 && x % y == 0)
                results << x / y;
            for (const int r : results) {
                if (reaches24(rest + QList { r }))
                    return true;
            }
        }
    }
    return false;
}
