// Normal distribution function, normal and Student-t quantiles, the gamma
// ratio table and the coverage factors.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Statistics.h"

namespace vormid {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double ExactPhi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

TEST(NormalCdf, CoverageOfTheUsualFactors) {
    EXPECT_NEAR(NormalCdf(1, 0, 1.96) - NormalCdf(1, 0, -1.96), 0.95000, 1e-5);
    EXPECT_NEAR(NormalCdf(1, 0, 2) - NormalCdf(1, 0, -2), 0.95450, 1e-5);
    EXPECT_NEAR(NormalCdf(1, 0, 3) - NormalCdf(1, 0, -3), 0.99730, 1e-5);
}

// Points just past a step of the integration (x less than a tenth of the step
// beyond a grid point) used to make the search overrun x for ever.
TEST(NormalCdf, EndsAtXForAnyPoint) {
    const double points[] = {-5.99,     -3.0004,   -1.96,   -0.0000004, 0,   0.0000004, 0.00105,
                             0.7100003, 1.2345678, 2.99999, 5.9995,     6.0, 6.5,       40};
    for (double x : points) EXPECT_NEAR(NormalCdf(1, 0, x), ExactPhi(x), 1e-5) << x;
    EXPECT_NEAR(NormalCdf(2, 10, 13), ExactPhi(1.5), 1e-5);
    EXPECT_NEAR(NormalCdf(1e-12, 1e6, 1e6), 0.5, 1e-5) << "tiny sigma beside a large mean";
}

TEST(NormalCdf, TailsAndBadArguments) {
    EXPECT_EQ(NormalCdf(1, 0, -6), 0.0);
    EXPECT_EQ(NormalCdf(1, 0, -7), 0.0) << "below the start the area is 0, not 1";
    EXPECT_EQ(NormalCdf(1, 0, -kInf), 0.0);
    EXPECT_NEAR(NormalCdf(1, 0, kInf), 1.0, 1e-6);
    for (double v : {NormalCdf(0, 0, 1), NormalCdf(-1, 0, 1), NormalCdf(kNaN, 0, 1), NormalCdf(1, kNaN, 1),
                     NormalCdf(1, 0, kNaN), NormalCdf(kInf, 0, 1)})
        EXPECT_TRUE(std::isnan(v));
}

TEST(NormalQuantile, ListedValues) {
    EXPECT_NEAR(NormalQuantile(1, 0, 0.025), -1.95996, 1e-5);
    EXPECT_NEAR(NormalQuantile(1, 0, 0.05), -1.64485, 1e-5);
    EXPECT_NEAR(NormalQuantile(1, 0, 0.975), 1.95996, 1e-5);
    EXPECT_NEAR(NormalQuantile(1, 0, 0.5), 0, 1e-6);
    EXPECT_NEAR(NormalQuantile(2, 10, 0.025), 10 - 2 * 1.959964, 2e-5);
}

TEST(NormalQuantile, AgreesWithTheExactDistributionFunction) {
    const double targets[] = {1e-300, 1e-12, 1e-7, 2.8e-7, 3e-7,   1e-6, 0.000123, 0.0013499,
                              0.005,  0.1,   0.3,  0.4999, 0.5001, 0.8,  0.995,    0.999999};
    for (double p : targets) {
        const double z = NormalQuantile(1, 0, p);
        ASSERT_TRUE(std::isfinite(z)) << p;
        // Compare in probability, relative for the far tail.
        const double tail = p < 0.5 ? ExactPhi(z) : 1 - ExactPhi(z);
        const double want = p < 0.5 ? p : 1 - p;
        EXPECT_NEAR(tail / want, 1.0, 1e-4) << p;
    }
}

TEST(Quantiles, BadArgumentsGiveNaN) {
    for (double p : {0.0, 1.0, -0.1, 1.5, kNaN, kInf, -kInf}) {
        EXPECT_TRUE(std::isnan(NormalQuantile(1, 0, p))) << p;
        EXPECT_TRUE(std::isnan(StudentQuantile(5, p))) << p;
    }
    EXPECT_TRUE(std::isnan(NormalQuantile(0, 0, 0.3)));
    EXPECT_TRUE(std::isnan(NormalQuantile(-1, 0, 0.3)));
    EXPECT_TRUE(std::isnan(NormalQuantile(1, kNaN, 0.3)));
    for (int nu : {0, -1, 1001, -1000000}) EXPECT_TRUE(std::isnan(StudentQuantile(nu, 0.025))) << nu;
}

TEST(StudentQuantile, ListedValues) {
    EXPECT_NEAR(StudentQuantile(10, 0.025), -2.2281, 1e-4);
    EXPECT_NEAR(StudentQuantile(1000, 0.025), -1.9624, 1e-4);
    // Small nu: the true quantiles, not the ones an estimated tail gives.
    EXPECT_NEAR(StudentQuantile(1, 0.025), -12.7062, 1e-4);
    EXPECT_NEAR(StudentQuantile(2, 0.025), -4.3027, 1e-4);
    EXPECT_NEAR(StudentQuantile(3, 0.025), -3.1824, 1e-4);
    // Upper targets, which the lower-tail walk could not reach for nu = 1.
    EXPECT_NEAR(StudentQuantile(1, 0.975), 12.7062, 1e-4);
    EXPECT_NEAR(StudentQuantile(7, 0.5), 0, 1e-6);
}

// Two-sided critical values t_{nu} for 95 % (upper tail 0.025) and 99 %
// (upper tail 0.005). Source: NIST/SEMATECH e-Handbook of Statistical
// Methods, section 1.3.6.7.2, "Critical Values of the Student's t
// Distribution" (three decimals).
constexpr double kT95[30] = {12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
                             2.201,  2.179, 2.160, 2.145, 2.131, 2.120, 2.110, 2.101, 2.093, 2.086,
                             2.080,  2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};
constexpr double kT99[30] = {63.657, 9.925, 5.841, 4.604, 4.032, 3.707, 3.499, 3.355, 3.250, 3.169,
                             3.106,  3.055, 3.012, 2.977, 2.947, 2.921, 2.898, 2.878, 2.861, 2.845,
                             2.831,  2.819, 2.807, 2.797, 2.787, 2.779, 2.771, 2.763, 2.756, 2.750};

TEST(StudentQuantile, MatchesThePublishedTableForNuOneToThirty) {
    for (int nu = 1; nu <= 30; ++nu) {
        // Table rounding (5e-4) plus the search's own error.
        EXPECT_NEAR(StudentQuantile(nu, 0.025), -kT95[nu - 1], 6e-4) << "nu = " << nu;
        EXPECT_NEAR(StudentQuantile(nu, 0.005), -kT99[nu - 1], 6e-4) << "nu = " << nu;
        EXPECT_NEAR(StudentCoverageFactor(nu, 95), kT95[nu - 1], 6e-4) << "nu = " << nu;
        EXPECT_NEAR(StudentCoverageFactor(nu, 99), kT99[nu - 1], 6e-4) << "nu = " << nu;
    }
}

// Every nu of the table: the quantile lands where the exact distribution
// function reaches the target (the error of t is this / f(t) < 1e-4).
TEST(StudentQuantile, AgreesWithTheExactDistributionFunctionForEveryNu) {
    for (int nu = 1; nu <= 1000; ++nu) {
        for (double p : {0.025, 0.005, 0.0005}) {
            const double t = StudentQuantile(nu, p);
            ASSERT_TRUE(std::isfinite(t)) << nu << " " << p;
            EXPECT_NEAR(StudentCdf(nu, t), p, 2e-6) << "nu = " << nu << ", P = " << p;
        }
    }
}

TEST(StudentQuantile, FarTailsAreBoundedAndExact) {
    const struct {
        int nu;
        double p;
    } cases[] = {{1, 1e-300}, {2, 1e-300}, {3, 1e-5}, {3, 1e-200}, {5, 1e-12}, {30, 1e-30}, {1000, 1e-300}};
    for (const auto& c : cases) {
        const double t = StudentQuantile(c.nu, c.p);
        ASSERT_TRUE(std::isfinite(t)) << c.nu << " " << c.p;
        EXPECT_LT(t, 0);
        EXPECT_NEAR(StudentCdf(c.nu, t) / c.p, 1.0, 1e-6) << c.nu << " " << c.p;
        const double upper = StudentQuantile(c.nu, 1 - 1e-6), lower = StudentQuantile(c.nu, 1e-6);
        EXPECT_NEAR(upper, -lower, 1e-6 * std::fabs(lower)) << c.nu;
    }
}

TEST(IncompleteBeta, ClosedForms) {
    constexpr double kPi = 3.14159265358979323846;
    for (double x : {1e-12, 0.001, 0.2, 0.5, 0.77, 0.999}) {
        EXPECT_NEAR(RegularizedIncompleteBeta(0.5, 0.5, x), 2 / kPi * std::asin(std::sqrt(x)), 1e-13) << x;
        EXPECT_NEAR(RegularizedIncompleteBeta(1, 1, x), x, 1e-13) << x;
        EXPECT_NEAR(RegularizedIncompleteBeta(3.5, 1, x), std::pow(x, 3.5), 1e-13) << x;
        EXPECT_NEAR(RegularizedIncompleteBeta(250, 0.5, x) + RegularizedIncompleteBeta(0.5, 250, 1 - x), 1.0, 1e-12);
    }
    EXPECT_EQ(RegularizedIncompleteBeta(2, 3, 0), 0.0);
    EXPECT_EQ(RegularizedIncompleteBeta(2, 3, 1), 1.0);
    for (double v : {RegularizedIncompleteBeta(0, 1, 0.5), RegularizedIncompleteBeta(1, 1, 1.5),
                     RegularizedIncompleteBeta(1, 1, kNaN), RegularizedIncompleteBeta(-1, 1, 0.5)})
        EXPECT_TRUE(std::isnan(v));
    // The general path for nu = 1 and 2 against their closed forms.
    EXPECT_NEAR(0.5 * RegularizedIncompleteBeta(0.5, 0.5, 1.0 / 101), StudentCdf(1, -10), 1e-14);
    EXPECT_NEAR(0.5 * RegularizedIncompleteBeta(1, 0.5, 2.0 / 102), StudentCdf(2, -10), 1e-14);
}

TEST(GammaRatio, TableValues) {
    EXPECT_EQ(GammaRatio(1), 0.56419);
    EXPECT_EQ(GammaRatio(2), 0.886227);
    EXPECT_EQ(GammaRatio(3), 1.128379);
    EXPECT_EQ(GammaRatio(1000), 22.35509);
    EXPECT_TRUE(std::isnan(GammaRatio(0)));
    EXPECT_TRUE(std::isnan(GammaRatio(1001)));
    // Gamma((nu+2)/2) / Gamma(nu/2) = nu/2 ties neighbouring entries.
    for (int nu = 1; nu < 1000; ++nu) {
        const double r = GammaRatio(nu), s = GammaRatio(nu + 1);
        EXPECT_NEAR(r * s, nu / 2.0, 0.5e-6 * (r + s) + 1e-12) << nu;
        EXPECT_NEAR(std::round(r * 1e6), r * 1e6, 1e-6) << "six decimals at nu = " << nu;
    }
}

TEST(CoverageFactors, NormalAndStudent) {
    EXPECT_NEAR(NormalCoverageFactor(95), 1.959964, 1e-5);
    EXPECT_NEAR(NormalCoverageFactor(99), 2.575829, 1e-5);
    EXPECT_NEAR(NormalCoverageFactor(0.1), 0.0012533, 1e-5);
    EXPECT_NEAR(StudentCoverageFactor(10, 95), 2.2281, 1e-4);
    EXPECT_EQ(StudentCoverageFactor(-1, 95), NormalCoverageFactor(95)) << "infinite dof";
    EXPECT_EQ(StudentCoverageFactor(1001, 95), NormalCoverageFactor(95));
    EXPECT_NEAR(StudentCoverageFactor(1000, 95), 1.9623, 1e-4);
}

TEST(CoverageFactors, UndefinedCasesGiveNaN) {
    for (double p : {0.0, 100.0, -5.0, 100.5, kNaN}) {
        EXPECT_TRUE(std::isnan(NormalCoverageFactor(p))) << p;
        EXPECT_TRUE(std::isnan(StudentCoverageFactor(5, p))) << p;
        EXPECT_TRUE(std::isnan(StudentCoverageFactor(-1, p))) << p;
    }
    EXPECT_TRUE(std::isnan(StudentCoverageFactor(0, 95))) << "nu = 0 has no t distribution";
}

TEST(CoverageFactors, ProbabilityFromFactor) {
    EXPECT_NEAR(CoverageProbabilityFromFactor(2), 95.450, 1e-3);
    EXPECT_NEAR(CoverageProbabilityFromFactor(3), 99.730, 1e-3);
    EXPECT_NEAR(CoverageProbabilityFromFactor(1.959964), 95.000, 1e-3);
    EXPECT_NEAR(CoverageProbabilityFromFactor(NormalCoverageFactor(90)), 90.0, 1e-3);
    EXPECT_NEAR(CoverageProbabilityFromFactor(10), 100.0, 1e-4);
    EXPECT_EQ(CoverageProbabilityFromFactor(0), 0.0);
    EXPECT_EQ(CoverageProbabilityFromFactor(kInf), 100.0);
    EXPECT_TRUE(std::isnan(CoverageProbabilityFromFactor(-1)));
    EXPECT_TRUE(std::isnan(CoverageProbabilityFromFactor(kNaN)));
}

}  // namespace
}  // namespace vormid
