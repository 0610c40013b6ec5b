#include "evaluation/MonteCarloRandom.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Statistics.h"

namespace vormid::mc {

std::uint64_t SplitMix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

TXoshiro256::TXoshiro256(std::uint64_t seed) {
    for (auto& word : S_) word = SplitMix64(seed);
}

void TXoshiro256::Jump() {
    static constexpr std::uint64_t kJump[] = {0x180EC6D33CFD0ABAull, 0xD5A61266F0C9392Cull, 0xA9582618E03FC9AAull,
                                              0x39ABDC4529B1661Cull};
    std::array<std::uint64_t, 4> s{};
    for (const std::uint64_t word : kJump)
        for (int b = 0; b < 64; ++b) {
            if (word & (std::uint64_t{1} << b))
                for (int i = 0; i < 4; ++i) s[i] ^= S_[i];
            Next();
        }
    S_ = s;
}

double TXoshiro256::Normal() { return NormalQuantile(Uniform()); }

void TXoshiro256::NormalBlock(double* out, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) out[k] = Uniform();
    NormalQuantiles(out, count);
}

double TXoshiro256::StudentT(double nu) {
    double u, w;
    do {
        u = Symmetric();
        const double v = Symmetric();
        w = u * u + v * v;
    } while (w >= 1.0 || w == 0.0);
    return u * std::sqrt(nu * (std::pow(w, -2.0 / nu) - 1.0) / w);
}

namespace {

// The central part of AS 241, |p − 0.5| <= 0.425: a rational function with
// no branch, which the compiler can run over a block in vector registers.
inline double CentralQuantile(double q) {
    const double r = 0.180625 - q * q;
    return q *
           (((((((2509.0809287301226727 * r + 33430.575583588128105) * r + 67265.770927008700853) * r +
                45921.953931549871457) *
                   r +
               13731.693765509461125) *
                  r +
              1971.5909503065514427) *
                 r +
             133.14166789178437745) *
                r +
            3.387132872796366608) /
           (((((((5226.495278852545561 * r + 28729.085735721942674) * r + 39307.89580009271061) * r +
                21213.794301586595867) *
                   r +
               5394.1960214247511077) *
                  r +
              687.1870074920579083) *
                 r +
             42.313330701600911252) *
                r +
            1.0);
}

constexpr double kCentralEdge = 0.425;

}  // namespace

double NormalQuantile(double p) {
    const double q = p - 0.5;
    if (std::fabs(q) <= kCentralEdge) return CentralQuantile(q);
    double r = q < 0.0 ? p : 1.0 - p;
    r = std::sqrt(-std::log(r));
    double value;
    if (r <= 5.0) {
        r -= 1.6;
        value = (((((((7.7454501427834140764e-4 * r + 0.0227238449892691845833) * r + 0.24178072517745061177) * r +
                     1.27045825245236838258) *
                        r +
                    3.64784832476320460504) *
                       r +
                   5.7694972214606914055) *
                      r +
                  4.6303378461565452959) *
                     r +
                 1.42343711074968357734) /
                (((((((1.05075007164441684324e-9 * r + 5.475938084995344946e-4) * r + 0.0151986665636164571966) * r +
                     0.14810397642748007459) *
                        r +
                    0.68976733498510000455) *
                       r +
                   1.6763848301838038494) *
                      r +
                  2.05319162663775882187) *
                     r +
                 1.0);
    } else {
        r -= 5.0;
        value = (((((((2.01033439929228813265e-7 * r + 2.71155556874348757815e-5) * r + 0.0012426609473880784386) * r +
                     0.026532189526576123093) *
                        r +
                    0.29656057182850489123) *
                       r +
                   1.7848265399172913358) *
                      r +
                  5.4637849111641143699) *
                     r +
                 6.6579046435011037772) /
                (((((((2.04426310338993978564e-15 * r + 1.4215117583164458887e-7) * r + 1.8463183175100546818e-5) * r +
                     7.868691311456132591e-4) *
                        r +
                    0.0148753612908506148525) *
                       r +
                   0.13692988092273580531) *
                      r +
                  0.59983220655588793769) *
                     r +
                 1.0);
    }
    return q < 0.0 ? -value : value;
}

__attribute__((target_clones("avx2", "default"))) void NormalQuantiles(double* values, std::size_t count) {
    constexpr std::size_t kChunk = 64;
    double central[kChunk];
    for (std::size_t start = 0; start < count; start += kChunk) {
        double* p = values + start;
        const std::size_t n = std::min(kChunk, count - start);
        // The tails' places are gathered without a branch (which lane is a
        // tail is random, so a branch per lane would be mispredicted often).
        std::size_t tails[kChunk];
        std::size_t t = 0;
        for (std::size_t k = 0; k < n; ++k) {
            tails[t] = k;
            t += static_cast<std::size_t>(std::fabs(p[k] - 0.5) > kCentralEdge);
        }
        for (std::size_t k = 0; k < n; ++k) central[k] = CentralQuantile(p[k] - 0.5);
        for (std::size_t i = 0; i < t; ++i) central[tails[i]] = NormalQuantile(p[tails[i]]);
        std::copy(central, central + n, p);
    }
}

double NormalCdf(double z) { return 0.5 * std::erfc(-z / std::numbers::sqrt2); }

double StudentQuantile(double nu, double p) {
    if (!(nu >= 1.0) || !(p > 0.0 && p < 1.0)) return std::nan("");
    if (nu == 1.0) return std::tan(std::numbers::pi * (p - 0.5));
    if (nu == 2.0) return (2.0 * p - 1.0) / std::sqrt(2.0 * p * (1.0 - p));
    // Work on the lower half and mirror: the tail keeps its precision there.
    const bool upper = p > 0.5;
    const double target = upper ? 1.0 - p : p;
    if (target == 0.5) return 0.0;
    const double logDensity0 =
        std::lgamma((nu + 1.0) / 2.0) - std::lgamma(nu / 2.0) - 0.5 * std::log(nu * std::numbers::pi);
    const auto cdf = [nu](double t) { return StudentCdf(nu, t); };
    const auto density = [nu, logDensity0](double t) {
        return std::exp(logDensity0 - (nu + 1.0) / 2.0 * std::log1p(t * t / nu));
    };
    // Start from the Cornish-Fisher expansion around the normal quantile.
    const double z = NormalQuantile(target);
    const double z2 = z * z;
    double t = z + z * (z2 + 1.0) / (4.0 * nu) + z * ((5.0 * z2 + 16.0) * z2 + 3.0) / (96.0 * nu * nu);
    // Bracket [lo, hi] of the lower-half root (t < 0).
    double lo = t, hi = 0.0;
    while (cdf(lo) > target) lo *= 2.0;
    for (int i = 0; i < 100; ++i) {
        const double f = cdf(t) - target;
        if (f > 0.0)
            hi = std::min(hi, t);
        else
            lo = std::max(lo, t);
        double next = t - f / density(t);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::fabs(next - t) <= 1e-15 * std::fabs(t)) {
            t = next;
            break;
        }
        t = next;
    }
    return upper ? -t : t;
}

}  // namespace vormid::mc
