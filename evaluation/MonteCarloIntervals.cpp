#include "evaluation/MonteCarloIntervals.h"

#include <algorithm>
#include <cmath>

namespace vormid::mc {
namespace {

// q of the rule, kept below M so that the interval has two distinct places.
std::size_t CoveredCount(std::size_t m, double probability) {
    const double pm = probability * static_cast<double>(m);
    const double rounded = std::floor(pm) == pm ? pm : std::floor(pm + 0.5);
    const auto q = static_cast<std::size_t>(std::max(rounded, 1.0));
    return std::min(q, m - 1);
}

}  // namespace

TInterval SymmetricInterval(std::span<const double> sorted, double probability) {
    const std::size_t m = sorted.size();
    if (m < 2) return m == 1 ? TInterval{sorted[0], sorted[0]} : TInterval{};
    const std::size_t q = CoveredCount(m, probability);
    // r (1-based) = (M − q)/2 when that is whole, else (M − q + 1)/2.
    const std::size_t r = std::max<std::size_t>((m - q + 1) / 2, 1);
    return {sorted[r - 1], sorted[r - 1 + q]};
}

TInterval ShortestInterval(std::span<const double> sorted, double probability) {
    const std::size_t m = sorted.size();
    if (m < 2) return m == 1 ? TInterval{sorted[0], sorted[0]} : TInterval{};
    const std::size_t q = CoveredCount(m, probability);
    std::size_t best = 0;
    double width = sorted[q] - sorted[0];
    for (std::size_t r = 1; r + q < m; ++r) {
        const double w = sorted[r + q] - sorted[r];
        if (w < width) {
            width = w;
            best = r;
        }
    }
    return {sorted[best], sorted[best + q]};
}

}  // namespace vormid::mc
