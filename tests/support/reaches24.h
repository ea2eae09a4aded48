#pragma once

#include <vector>

// A plain search, apart from the program's solver: does some order of
// whole-number steps bring these values to 24?
inline bool reaches24(std::vector<long> values)
{
    if (values.size() == 1)
        return values[0] == 24;
    for (size_t i = 0; i < values.size(); ++i) {
        for (size_t j = 0; j < values.size(); ++j) {
            if (i == j)
                continue;
            const long x = values[i], y = values[j];
            std::vector<long> rest;
            for (size_t k = 0; k < values.size(); ++k) {
                if (k != i && k != j)
                    rest.push_back(values[k]);
            }
            std::vector<long> results { x + y, x - y, x * y };
            if (y != 0 && x % y == 0)
                results.push_back(x / y);
            for (long r : results) {
                rest.push_back(r);
                if (reaches24(rest))
                    return true;
                rest.pop_back();
            }
        }
    }
    return false;
}
