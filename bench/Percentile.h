#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace tkd::bench {

// The nearest-rank percentile of values sorted in ascending order: the smallest value that has at
// least the given percentage of all values at or below it (rank = ceil(percent / 100 * n)).
constexpr double nearestRank(std::span<const double> sorted, int percent)
{
    if (sorted.empty())
        return 0;
    const std::size_t n = sorted.size();
    const std::size_t rank = std::clamp<std::size_t>((std::size_t(percent) * n + 99) / 100, 1, n);
    return sorted[rank - 1];
}

// Worked by hand from the definition, checked while the benchmark compiles.
namespace check {
constexpr double kFive[] = {15, 20, 35, 40, 50};
static_assert(nearestRank(kFive, 5) == 15);
static_assert(nearestRank(kFive, 30) == 20);
static_assert(nearestRank(kFive, 40) == 20);
static_assert(nearestRank(kFive, 50) == 35);
static_assert(nearestRank(kFive, 100) == 50);
constexpr double kTen[] = {3, 6, 7, 8, 8, 10, 13, 15, 16, 20};
static_assert(nearestRank(kTen, 25) == 7);
static_assert(nearestRank(kTen, 50) == 8);
static_assert(nearestRank(kTen, 75) == 15);
static_assert(nearestRank(kTen, 100) == 20);
// Of 250 timings 1..250 the 95th percentile is the 238th (not the 237th that 0.95 * 249 as an index gives).
constexpr bool rankOf250()
{
    std::array<double, 250> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = double(i + 1);
    return nearestRank(values, 95) == 238 && nearestRank(values, 50) == 125;
}
static_assert(rankOf250());
} // namespace check

} // namespace tkd::bench
