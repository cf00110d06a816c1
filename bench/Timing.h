#pragma once

#include "Percentile.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <functional>
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

// Times fn(i) for i in 0..count-1; before(i), untimed, is what the operator did just before. The event
// loop has its turn between samples, untimed, as the program's has after each command (layouts, and
// folding the write-ahead log into the file once it has grown).
inline std::vector<double> timeEach(int count, const std::function<void(int)>& fn,
                                    const std::function<void(int)>& before = {})
{
    std::vector<double> micros;
    micros.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        if (before)
            before(i);
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        fn(i);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    QCoreApplication::processEvents();
    return micros;
}

} // namespace tkd::bench
