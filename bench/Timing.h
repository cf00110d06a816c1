#pragma once

#include "Percentile.h"

#include <algorithm>
#include <vector>

namespace tkd::bench {

// A measurement in microseconds: its median and its 95th percentile (nearest rank).
struct Figures {
    double median = 0;
    double p95 = 0;
};

inline Figures summarise(std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    return {nearestRank(micros, 50), nearestRank(micros, 95)};
}

} // namespace tkd::bench
