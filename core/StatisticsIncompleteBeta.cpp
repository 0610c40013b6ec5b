// The regularized incomplete beta function and, from it, the exact Student-t
// distribution function. The quantile search uses it for the tail that lies
// outside its integration range.
#include <cmath>
#include <limits>

#include "core/Statistics.h"

namespace vormid {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Continued fraction of I_x(a, b) by the modified Lentz method; converges
// quickly for x < (a + 1) / (a + b + 2).
long double BetaContinuedFraction(long double a, long double b, long double x) {
    constexpr long double kTiny = 1e-300L;
    constexpr long double kEps = 1e-18L;
    const long double qab = a + b, qap = a + 1, qam = a - 1;
    long double c = 1, d = 1 - qab * x / qap;
    if (std::fabs(d) < kTiny) d = kTiny;
    d = 1 / d;
    long double h = d;
    for (int m = 1; m <= 10000; ++m) {
        const long double m2 = 2.0L * m;
        long double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
        d = 1 + aa * d;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = 1 + aa / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1 / d;
        h *= d * c;
        aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
        d = 1 + aa * d;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = 1 + aa / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1 / d;
        const long double del = d * c;
        h *= del;
        if (std::fabs(del - 1) < kEps) break;
    }
    return h;
}

}  // namespace

double RegularizedIncompleteBeta(double a, double b, double x) {
    if (!(a > 0) || !(b > 0) || !(x >= 0) || !(x <= 1) || std::isinf(a) || std::isinf(b)) return kNaN;
    if (x == 0) return 0;
    if (x == 1) return 1;
    const long double la = a, lb = b, lx = x;
    const long double logFront =
        std::lgamma(la + lb) - std::lgamma(la) - std::lgamma(lb) + la * std::log(lx) + lb * std::log1p(-lx);
    const long double front = std::exp(logFront);
    long double r;
    if (lx < (la + 1) / (la + lb + 2)) {
        r = front * BetaContinuedFraction(la, lb, lx) / la;
    } else {
        r = 1 - front * BetaContinuedFraction(lb, la, 1 - lx) / lb;
    }
    return static_cast<double>(r);
}

double StudentCdf(double nu, double t) {
    if (!(nu >= 1) || std::isnan(t)) return kNaN;
    if (std::isinf(t)) return t > 0 ? 1.0 : 0.0;
    constexpr long double kPi = 3.141592653589793238462643383279502884L;
    // Work with the lower tail P(T < -|t|), which keeps its relative
    // precision far out, and mirror it for positive t.
    const long double a = std::fabs(static_cast<long double>(t));
    long double tail;
    if (nu == 1) {
        tail = std::atan(1 / a) / kPi;
    } else if (nu == 2) {
        const long double r = std::sqrt(2 + a * a);
        tail = 1 / (r * (r + a));
    } else {
        // P(T < -|t|) = I_{nu/(nu+t^2)}(nu/2, 1/2) / 2.
        const double x = static_cast<double>(nu / (nu + a * a));
        tail = 0.5L * RegularizedIncompleteBeta(nu / 2, 0.5, x);
    }
    return static_cast<double>(t < 0 ? tail : 1 - tail);
}

}  // namespace vormid
