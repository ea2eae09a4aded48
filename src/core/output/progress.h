#pragma once

#include <functional>

// Told how far a long run of work has come, after each step: the steps done
// and the steps in all. Returning false stops the run; what it was writing is
// then thrown away.
using ProgressCallback = std::function<bool(int done, int total)>;
