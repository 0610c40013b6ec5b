#include "evaluation/MonteCarloIntervals.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vormid::mc {
namespace {

// q of the rule, kept below M so that the interval has two distinct places.
std::size_t CoveredCount(std::size_t m, double probability) {
    const double pm = probability * static_cast<double>(m);
    const double rounded = std::floor(pm) == pm ? pm : std::floor(pm + 0.5);
    const auto q = static_cast<std::size_t>(std::max(rounded, 1.0));
    return std::min(q, m - 1);
}

// The 0-based places of the symmetric interval's ends.
std::pair<std::size_t, std::size_t> SymmetricPlaces(std::size_t m, double probability) {
    const std::size_t q = CoveredCount(m, probability);
    // r (1-based) = (M − q)/2 when that is whole, else (M − q + 1)/2.
    const std::size_t r = std::max<std::size_t>((m - q + 1) / 2, 1);
    return {r - 1, r - 1 + q};
}

}  // namespace

TInterval SymmetricInterval(std::span<const double> sorted, double probability) {
    const std::size_t m = sorted.size();
    if (m < 2) return m == 1 ? TInterval{sorted[0], sorted[0]} : TInterval{};
    const auto [low, high] = SymmetricPlaces(m, probability);
    return {sorted[low], sorted[high]};
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

TCoverageIntervals CoverageIntervals(std::span<double> draws, double probability) {
    const std::size_t m = draws.size();
    if (m >= 2) {
        const std::size_t q = CoveredCount(m, probability), tail = m - q;
        if (q >= tail) {
            // [0, tail) the smallest, [q, m) the largest, each then in order.
            std::nth_element(draws.begin(), draws.begin() + static_cast<std::ptrdiff_t>(tail), draws.end());
            std::nth_element(draws.begin() + static_cast<std::ptrdiff_t>(tail),
                             draws.begin() + static_cast<std::ptrdiff_t>(q), draws.end());
            std::sort(draws.begin(), draws.begin() + static_cast<std::ptrdiff_t>(tail));
            std::sort(draws.begin() + static_cast<std::ptrdiff_t>(q), draws.end());
        } else {
            std::sort(draws.begin(), draws.end());  // the tails would overlap
        }
    }
    return {SymmetricInterval(draws, probability), ShortestInterval(draws, probability)};
}

TInterval SymmetricIntervalOf(std::span<double> draws, double probability) {
    const std::size_t m = draws.size();
    if (m < 2) return m == 1 ? TInterval{draws[0], draws[0]} : TInterval{};
    const auto [low, high] = SymmetricPlaces(m, probability);
    const auto at = [&draws](std::size_t i) { return draws.begin() + static_cast<std::ptrdiff_t>(i); };
    std::nth_element(draws.begin(), at(low), draws.end());
    std::nth_element(at(low + 1), at(high), draws.end());
    return {draws[low], draws[high]};
}

}  // namespace vormid::mc
