#pragma once

#include <cstdint>
#include <iterator>
#include <random>

namespace tkd::demo {

// The standard distributions differ between libraries; this keeps the rows the same everywhere.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : m_engine(seed) {}
    int below(int n) { return n <= 0 ? 0 : static_cast<int>((std::uint64_t(m_engine()) * std::uint64_t(n)) >> 32); }
    int between(int lo, int hi) { return hi <= lo ? lo : lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    std::mt19937 m_engine;
};

} // namespace tkd::demo
