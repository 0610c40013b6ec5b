// Gamma((nu+1)/2) / Gamma(nu/2), the normalising factor of the Student-t
// density, as a table rounded to six decimals for nu = 1..1000.
#include <array>
#include <cmath>
#include <limits>

#include "core/Statistics.h"

namespace vormid {

namespace {

constexpr int kMaxNu = 1000;

// Built once from log-gamma in extended precision; the differences of
// lgamma near nu = 1000 stay far inside long double's precision, so every
// entry equals the exact ratio rounded to six decimals.
const std::array<double, kMaxNu + 1>& Table() {
    static const std::array<double, kMaxNu + 1> table = [] {
        std::array<double, kMaxNu + 1> t{};
        t[0] = std::numeric_limits<double>::quiet_NaN();
        for (int nu = 1; nu <= kMaxNu; ++nu) {
            const long double r = std::exp(std::lgamma((nu + 1) / 2.0L) - std::lgamma(nu / 2.0L));
            t[static_cast<std::size_t>(nu)] = static_cast<double>(std::round(r * 1e6L) / 1e6L);
        }
        return t;
    }();
    return table;
}

}  // namespace

double GammaRatio(int nu) {
    if (nu < 1 || nu > kMaxNu) return std::numeric_limits<double>::quiet_NaN();
    return Table()[static_cast<std::size_t>(nu)];
}

}  // namespace vormid
