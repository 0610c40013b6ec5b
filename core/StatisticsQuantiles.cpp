// The normal distribution function and the normal and Student-t quantiles,
// by stepped trapezoidal integration of the density, and the two-sided
// coverage factors built on them.
//
// The quantile searches walk from a start point with a fixed step, reverse
// and refine the step by ten each time the accumulated area passes the
// target (compared to six decimals), and stop when the area matches it.
// Three things make them sound for every input:
//  - the area below the start point is the exact tail of the distribution,
//    not an estimate, so small nu gives the true t quantile;
//  - a target below that tail (far out, e.g. nu = 1 at 95 %) is solved on
//    the exact distribution function by bisection instead of stepping
//    thousands of units backwards; so is any target below 1e-4, where a
//    six-decimal match of the area could not place the point at all;
//  - the search has a hard round limit, and the last point is corrected by
//    one Newton step on the accumulated area (the six-decimal match alone
//    leaves an error of 5e-7 / f(t), 2.5e-4 for nu = 1 in the tail).
// Upper targets (P > 0.5) use the symmetry of both distributions.
#include <cmath>
#include <limits>

#include "core/Statistics.h"

namespace vormid {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kInvSqrt2Pi = 0.398942280401432677939946059933572L;
// Enough for the longest honest search (5000 forward steps plus a few
// dozen per refinement); reaching it means the target cannot be met.
constexpr int kMaxRounds = 200000;
// Targets below this are solved on the exact distribution function.
constexpr double kSmallestSteppedTarget = 1e-4;

long double StdNormalDensity(long double z) { return kInvSqrt2Pi * std::exp(-z * z / 2); }

// Phi(z) in extended precision, exact (for tails and bisection).
long double StdNormalCdfExact(long double z) { return 0.5L * std::erfc(-z / std::sqrt(2.0L)); }

// The steppers and the search run in double: a few thousand steps add
// rounding errors near 1e-15, far below the six-decimal target, and x87
// extended arithmetic would make each step several times slower.

// Standard normal density at t + h, stepping from t. With a constant step
// the ratio of successive densities changes by the constant factor
// exp(-h^2), so each step costs two multiplications instead of an exp.
class NormalStepper {
public:
    double Next(double t, double h) {
        if (h != h_ || t != t_) {
            h_ = h;
            f_ = static_cast<double>(StdNormalDensity(t));
            g_ = std::exp(-t * h - h * h / 2);
            c_ = std::exp(-h * h);
        }
        f_ *= g_;
        g_ *= c_;
        t_ = t + h;
        return f_;
    }

private:
    double h_ = 0, t_ = std::numeric_limits<double>::quiet_NaN();
    double f_ = 0, g_ = 0, c_ = 0;
};

// Student-t density with the tabulated gamma ratio. The power
// (1 + t^2/nu)^-((nu+1)/2) is an integer power, times a square root for even
// nu, so no pow/exp/log is needed.
class StudentStepper {
public:
    explicit StudentStepper(int nu)
        : nu_(nu),
          half_(static_cast<unsigned>((nu + 1) / 2)),
          even_(nu % 2 == 0),
          scale_(static_cast<double>(GammaRatio(nu) / std::sqrt(nu * kPi))) {}

    double Density(double t) const {
        const double b = 1 + t * t / nu_;
        double p = 1, base = b;
        for (unsigned e = half_; e != 0; e >>= 1) {
            if (e & 1u) p *= base;
            base *= base;
        }
        if (even_) p *= std::sqrt(b);
        return scale_ / p;
    }
    double Next(double t, double h) const { return Density(t + h); }

private:
    double nu_;
    unsigned half_;
    bool even_;
    double scale_;
};

// The stepped search for the point where the area reaches P. Returns NaN
// when the round limit is reached.
template <class Stepper>
double SteppedSearch(Stepper& stepper, double f0, double start, double startArea, double h, double P) {
    // round(area * 1e6) == round(P * 1e6) holds exactly when area * 1e6 lies
    // in [T - 1/2, T + 1/2); comparing with the window saves a rounding call
    // per step.
    const double target = std::round(P * 1e6);
    const double low = target - 0.5, high = target + 0.5;
    double t = start, area = startArea, fPrev = f0;
    for (int round = 0; round < kMaxRounds; ++round) {
        const double f = stepper.Next(t, h);
        area += h * (fPrev + f) / 2;
        t += h;
        fPrev = f;
        const double scaled = area * 1e6;
        if (scaled >= low && scaled < high) {
            if (f > 0) t -= (area - P) / f;
            return t;
        }
        if ((h > 0 && scaled >= high) || (h < 0 && scaled < low)) h = -h / 10;
    }
    return kNaN;
}

// Bisection of a decreasing-in-s function g(s) = target on [lo, hi];
// used on the exact tails. g(lo) > target >= g(hi) is checked by the caller.
template <class Fn>
long double Bisect(Fn g, long double lo, long double hi, long double target) {
    for (int i = 0; i < 200 && hi - lo > 1e-17L * (std::fabs(lo) + std::fabs(hi)); ++i) {
        const long double mid = (lo + hi) / 2;
        if (g(mid) > target)
            lo = mid;
        else
            hi = mid;
    }
    return (lo + hi) / 2;
}

double StdNormalQuantile(double P) {
    if (P > 0.5) return -StdNormalQuantile(1 - P);
    constexpr double kStart = -5;
    const long double tail = StdNormalCdfExact(kStart);
    if (P < tail || P < kSmallestSteppedTarget) {
        // Phi(-40) is far below the smallest positive double.
        const long double z = Bisect([](long double s) { return StdNormalCdfExact(-s); }, 0.0L, 40.0L, P);
        return static_cast<double>(-z);
    }
    NormalStepper stepper;
    return SteppedSearch(stepper, static_cast<double>(StdNormalDensity(kStart)), kStart, static_cast<double>(tail),
                         0.001, P);
}

double StudentLowerQuantile(int nu, double P) {
    constexpr double kStart = -10;
    const long double tail = StudentCdf(nu, static_cast<double>(kStart));
    if (P < tail || P < kSmallestSteppedTarget) {
        if (nu == 1) return static_cast<double>(-1 / std::tan(kPi * P));  // -cot(pi P), exact for tiny P
        if (nu == 2) {
            const long double p = P;
            return static_cast<double>((2 * p - 1) / std::sqrt(2 * p * (1 - p)));
        }
        // Search over s = ln|t| from |t| = 1 (tail 0.16 or more): the tail
        // falls like |t|^-nu, so this spans every representable target evenly.
        auto tailAt = [nu](long double s) {
            return static_cast<long double>(StudentCdf(nu, static_cast<double>(-std::exp(s))));
        };
        const long double sMax = std::log(1e300L);
        if (tailAt(sMax) > P) return kNaN;
        return static_cast<double>(-std::exp(Bisect(tailAt, 0.0L, sMax, P)));
    }
    StudentStepper stepper(nu);
    return SteppedSearch(stepper, stepper.Density(kStart), kStart, static_cast<double>(tail), 0.01, P);
}

}  // namespace

double NormalCdf(double sigma, double mu, double x) {
    if (!(sigma > 0) || std::isnan(mu) || std::isnan(x) || std::isinf(sigma) || std::isinf(mu)) return kNaN;
    // Integrate in standard units so that a tiny sigma beside a large mean
    // cannot make the steps vanish; double suffices for 1200 steps.
    const double z = static_cast<double>((static_cast<long double>(x) - mu) / sigma);
    double u = -6, h = 0.01, area = 0, fPrev = static_cast<double>(StdNormalDensity(u));
    if (z <= u) return 0;
    const double zRounded = std::round(z * 1e6);
    for (int round = 0; round < kMaxRounds && u <= 6; ++round) {
        if (u + h > z) {
            h /= 10;
            // The tenth can still pass z; land on z exactly instead.
            if (u + h > z) h = z - u;
        }
        u += h;
        const double f = static_cast<double>(kInvSqrt2Pi) * std::exp(-u * u / 2);
        area += h * (fPrev + f) / 2;
        fPrev = f;
        if (u >= z || std::round(u * 1e6) == zRounded) break;
    }
    return area;
}

double NormalQuantile(double sigma, double mu, double P) {
    if (!(sigma > 0) || std::isinf(sigma) || !std::isfinite(mu) || !(P > 0) || !(P < 1)) return kNaN;
    const double z = StdNormalQuantile(P);
    return mu + sigma * z;
}

double StudentQuantile(int nu, double P) {
    if (nu < 1 || nu > 1000 || !(P > 0) || !(P < 1)) return kNaN;
    if (P > 0.5) return -StudentLowerQuantile(nu, 1 - P);
    return StudentLowerQuantile(nu, P);
}

double NormalCoverageFactor(double P) {
    if (!(P > 0) || !(P < 100)) return kNaN;
    return std::fabs(NormalQuantile(1, 0, (1 - P / 100) / 2));
}

double StudentCoverageFactor(int nu, double P) {
    if (nu == 0) return kNaN;
    if (nu < 0 || nu > 1000) return NormalCoverageFactor(P);
    if (!(P > 0) || !(P < 100)) return kNaN;
    return std::fabs(StudentQuantile(nu, (1 - P / 100) / 2));
}

double CoverageProbabilityFromFactor(double k) {
    if (!(k >= 0)) return kNaN;
    if (k == 0) return 0;
    if (std::isinf(k)) return 100;
    return 100 * (NormalCdf(1, 0, k) - NormalCdf(1, 0, -k));
}

}  // namespace vormid
