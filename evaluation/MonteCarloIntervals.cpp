#include "evaluation/MonteCarloIntervals.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <limits>
#include <thread>
#include <utility>
#include <vector>

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

constexpr std::size_t kParallelTails = 200'000;

// The k values of draws that come first by before (1 <= k <= size), in any
// order. Small tails go through a cut-off taken from a sample of the draws:
// one pass keeps the values on the near side of it, and only those are
// selected from. Should the sample mislead (fewer than k values kept), all
// draws are selected from instead, so the answer is always exact.
template <class Before>
std::vector<double> FirstK(std::span<const double> draws, std::size_t k, Before before) {
    const std::size_t m = draws.size();
    constexpr std::size_t kSample = 1024;
    std::vector<double> kept;
    if (m >= 8 * kSample && k <= m / 8) {
        std::vector<double> sample(kSample);
        const std::size_t stride = m / kSample;
        for (std::size_t i = 0; i < kSample; ++i) sample[i] = draws[i * stride];
        // Half as far again as the tail's place in the sample, and a few more.
        const std::size_t place = std::min(kSample - 1, k * kSample / m * 3 / 2 + 8);
        std::nth_element(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(place), sample.end(), before);
        const double cut = sample[place];
        kept.reserve(2 * (place + 1) * stride);
        for (const double v : draws)
            if (!before(cut, v)) kept.push_back(v);
        if (kept.size() < k) kept.clear();
    }
    if (kept.empty()) kept.assign(draws.begin(), draws.end());
    std::nth_element(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(k - 1), kept.end(), before);
    kept.resize(k);
    return kept;
}

// Both intervals of m draws from the sets that lowSet() and highSet() give,
// which hold their lowest and their highest m − q values (at most an eighth
// each): sorted[r] is low[r], sorted[r + q] is high[r].
template <class LowSet, class HighSet>
TCoverageIntervals FromTails(LowSet lowSet, HighSet highSet, std::size_t m, double probability) {
    const std::size_t q = CoveredCount(m, probability), tail = m - q;
    const auto end = static_cast<std::ptrdiff_t>(tail);
    std::vector<double> low, high;
    const auto lowTail = [&] {
        low = lowSet();
        std::nth_element(low.begin(), low.begin() + end - 1, low.end());
        low.resize(tail);
        std::sort(low.begin(), low.end());
    };
    const auto highTail = [&] {
        high = highSet();
        std::nth_element(high.begin(), high.begin() + end - 1, high.end(), std::greater<double>());
        high.resize(tail);
        std::sort(high.begin(), high.end());
    };
    // A large run has its two tails sorted at once, on a second core.
    if (m >= kParallelTails && std::thread::hardware_concurrency() > 1) {
        std::exception_ptr failed;
        std::thread other([&] {
            try {
                highTail();
            } catch (...) {
                failed = std::current_exception();
            }
        });
        try {
            lowTail();
        } catch (...) {
            other.join();
            throw;
        }
        other.join();
        if (failed) std::rethrow_exception(failed);
    } else {
        lowTail();
        highTail();
    }
    const auto [a, b] = SymmetricPlaces(m, probability);
    std::size_t best = 0;
    for (std::size_t r = 1; r < tail; ++r)
        if (high[r] - low[r] < high[best] - low[best]) best = r;
    return {{low[a], high[b - q]}, {low[best], high[best]}};
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
        if (tail <= m / 8)
            return FromTails([&] { return FirstK(draws, tail, std::less<double>()); },
                             [&] { return FirstK(draws, tail, std::greater<double>()); }, m, probability);
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

bool CoverageIntervalsOfTails(std::span<const TTails> parts, std::size_t m, double probability,
                              TCoverageIntervals& intervals) {
    if (m < 2 || parts.empty()) return false;
    const std::size_t tail = m - CoveredCount(m, probability);
    if (tail > m / 8) return false;
    // Every value below a part's highest kept low is in its Low, so every
    // draw at or below the least of those is among the values gathered
    // (and a value equal to it that was not kept changes no place).
    double lowCut = std::numeric_limits<double>::infinity(), highCut = -lowCut;
    for (const TTails& t : parts) {
        if (t.Low.empty() || t.High.empty()) return false;
        lowCut = std::min(lowCut, *std::max_element(t.Low.begin(), t.Low.end()));
        highCut = std::max(highCut, *std::min_element(t.High.begin(), t.High.end()));
    }
    // Counted first, so that each tail is gathered into one allocation.
    std::size_t lows = 0, highs = 0;
    for (const TTails& t : parts) {
        for (const double v : t.Low) lows += static_cast<std::size_t>(v <= lowCut);
        for (const double v : t.High) highs += static_cast<std::size_t>(v >= highCut);
    }
    if (lows < tail || highs < tail) return false;
    std::vector<double> low, high;
    low.reserve(lows);
    high.reserve(highs);
    for (const TTails& t : parts) {
        for (const double v : t.Low)
            if (v <= lowCut) low.push_back(v);
        for (const double v : t.High)
            if (v >= highCut) high.push_back(v);
    }
    intervals = FromTails([&] { return std::move(low); }, [&] { return std::move(high); }, m, probability);
    return true;
}

TInterval SymmetricIntervalOf(std::span<double> draws, double probability, std::size_t keep, TTails* tails) {
    const std::size_t m = draws.size();
    if (m < 2) {
        if (tails != nullptr) *tails = {{draws.begin(), draws.end()}, {draws.begin(), draws.end()}};
        return m == 1 ? TInterval{draws[0], draws[0]} : TInterval{};
    }
    const auto [low, high] = SymmetricPlaces(m, probability);
    const std::size_t kLow = std::max(low + 1, keep), kHigh = std::max(m - high, keep);
    // Small tails (p = 0.95: 2.5 % each) without reordering the draws.
    if (kLow <= m / 8 && kHigh <= m / 8) {
        std::vector<double> lows = FirstK(draws, kLow, std::less<double>());
        std::vector<double> highs = FirstK(draws, kHigh, std::greater<double>());
        std::nth_element(lows.begin(), lows.begin() + static_cast<std::ptrdiff_t>(low), lows.end());
        std::nth_element(highs.begin(), highs.begin() + static_cast<std::ptrdiff_t>(m - high - 1), highs.end(),
                         std::greater<double>());
        const TInterval interval{lows[low], highs[m - high - 1]};
        if (tails != nullptr) *tails = {std::move(lows), std::move(highs)};
        return interval;
    }
    if (tails != nullptr) *tails = {{draws.begin(), draws.end()}, {draws.begin(), draws.end()}};
    const auto at = [&draws](std::size_t i) { return draws.begin() + static_cast<std::ptrdiff_t>(i); };
    std::nth_element(draws.begin(), at(low), draws.end());
    std::nth_element(at(low + 1), at(high), draws.end());
    return {draws[low], draws[high]};
}

}  // namespace vormid::mc
