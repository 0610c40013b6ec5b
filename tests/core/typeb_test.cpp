// Type B rules: the standard uncertainty of every evaluation kind and
// distribution, the log-normal value shift and the degrees of freedom.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/GumParam.h"

namespace vormid {
namespace {

const double kPi = std::numbers::pi;

struct BCase {
    const char* what;
    std::uint8_t evalType;
    TDistribution dist;
    double x, p, q;
    double P = 95.0, k = 2.0;
    bool percent = false;
    int nu = 9;
    double u;
    double tol = 1e-12;
};

TGumParam Make(const BCase& c) {
    TGumParam b;
    b.SetKind(TParamKind::TypeB);
    b.BEvalType = c.evalType;
    b.Distribution = c.dist;
    b.BValue = c.x;
    b.StatedValue = c.p;
    b.BParam2 = c.q;
    b.CoverageProbability = c.P;
    b.CoverageFactor = c.k;
    b.InPercent = c.percent;
    b.SetDegreesOfFreedom(c.nu);
    return b;
}

TEST(TypeBUncertainty, EveryKindAndDistribution) {
    const double s3 = std::sqrt(3.0), s6 = std::sqrt(6.0);
    const BCase cases[] = {
        {.what = "expanded", .evalType = 0, .dist = dc_Normal, .x = 5, .p = 2, .q = 0, .u = 1},
        {.what = "expanded in % of 50",
         .evalType = 0,
         .dist = dc_Normal,
         .x = 50,
         .p = 2,
         .q = 0,
         .percent = true,
         .u = 0.5},
        {.what = "expanded, k 3",
         .evalType = 0,
         .dist = dc_Normal,
         .x = 1,
         .p = 0.6,
         .q = 0,
         .k = 3,
         .u = 0.2,
         .tol = 1e-15},
        {.what = "standard", .evalType = 1, .dist = dc_Normal, .x = 1, .p = 0.3, .q = 0, .u = 0.3},
        {.what = "standard in % of a negative estimate",
         .evalType = 1,
         .dist = dc_Normal,
         .x = -50,
         .p = 2,
         .q = 0,
         .percent = true,
         .u = 1.0},
        {.what = "error bound", .evalType = 2, .dist = dc_Rectangle, .x = 1, .p = s3, .q = 0, .u = 1},
        {.what = "error bound in %",
         .evalType = 2,
         .dist = dc_Rectangle,
         .x = 200,
         .p = s3,
         .q = 0,
         .percent = true,
         .u = 2},
        {.what = "normal 1.96 at 95 %",
         .evalType = 3,
         .dist = dc_Normal,
         .x = 1,
         .p = 1.96,
         .q = 0,
         .u = 1,
         .tol = 1e-4},
        {.what = "normal 2.5758 at 99 %",
         .evalType = 3,
         .dist = dc_Normal,
         .x = 1,
         .p = 2.5758,
         .q = 0,
         .P = 99,
         .u = 1,
         .tol = 1e-4},
        {.what = "log-normal",
         .evalType = 3,
         .dist = dc_LgNormal,
         .x = 10,
         .p = 1,
         .q = 0,
         .u = std::sqrt((std::exp(1.0) - 1) * std::exp(1.0))},
        {.what = "log-normal, scale 1",
         .evalType = 3,
         .dist = dc_LgNormal,
         .x = 10,
         .p = 0.5,
         .q = 1,
         .u = std::sqrt((std::exp(0.25) - 1) * std::exp(2.25))},
        {.what = "t, nu 10, 95 %",
         .evalType = 3,
         .dist = dc_DistributonT,
         .x = 1,
         .p = 2.2281,
         .q = 95,
         .nu = 10,
         .u = 1,
         .tol = 1e-4},
        {.what = "t, nu 1, 95 %",
         .evalType = 3,
         .dist = dc_DistributonT,
         .x = 1,
         .p = 12.706,
         .q = 95,
         .nu = 1,
         .u = 1,
         .tol = 1e-4},
        {.what = "rectangle", .evalType = 3, .dist = dc_Rectangle, .x = 1, .p = s3, .q = 0, .u = 1},
        {.what = "interval ignores the percent flag",
         .evalType = 3,
         .dist = dc_Rectangle,
         .x = 50,
         .p = s3,
         .q = 0,
         .percent = true,
         .u = 1},
        {.what = "triangle", .evalType = 3, .dist = dc_Triangle, .x = 1, .p = s6, .q = 0, .u = 1},
        {.what = "trapezoid q = p is the rectangle",
         .evalType = 3,
         .dist = dc_Trapez,
         .x = 1,
         .p = 2,
         .q = 2,
         .u = 2 / s3},
        {.what = "trapezoid q = 0 is the triangle",
         .evalType = 3,
         .dist = dc_Trapez,
         .x = 1,
         .p = 2,
         .q = 0,
         .u = 2 / s6},
        {.what = "trapezoid q = p/2",
         .evalType = 3,
         .dist = dc_Trapez,
         .x = 1,
         .p = 2,
         .q = 1,
         .u = std::sqrt(5.0 / 6.0)},
        {.what = "quadratic", .evalType = 3, .dist = dc_Quatro, .x = 1, .p = 3, .q = 0, .u = 3 / std::sqrt(5.0)},
        {.what = "U-shaped", .evalType = 3, .dist = dc_DistributionU, .x = 1, .p = 3, .q = 0, .u = 3 / std::sqrt(2.0)},
        {.what = "cosine",
         .evalType = 3,
         .dist = dc_Cosine,
         .x = 1,
         .p = 3,
         .q = 0,
         .u = 3 * std::sqrt(1.0 / 3 - 2 / (kPi * kPi)),
         .tol = 1e-14},
        {.what = "half-cosine",
         .evalType = 3,
         .dist = dt_SemiCosine,
         .x = 1,
         .p = 3,
         .q = 0,
         .u = 3 * std::sqrt(1 - 8 / (kPi * kPi)),
         .tol = 1e-14},
    };
    for (const BCase& c : cases) {
        const TGumParam b = Make(c);
        EXPECT_NEAR(b.StdUncertainty(), c.u, c.tol) << c.what;
    }
}

TEST(TypeBUncertainty, QuadraticIsNarrowerThanItsHalfWidth) {
    const TGumParam b = Make({.what = "", .evalType = 3, .dist = dc_Quatro, .x = 0, .p = 1, .q = 0, .u = 0});
    EXPECT_LT(b.StdUncertainty(), 1.0);
}

TEST(TypeBUncertainty, ParametersThatGiveNoUncertaintyGiveNaN) {
    const BCase cases[] = {
        {.what = "t with nu 0", .evalType = 3, .dist = dc_DistributonT, .x = 1, .p = 1, .q = 95, .nu = 0, .u = 0},
        {.what = "unknown distribution",
         .evalType = 3,
         .dist = static_cast<TDistribution>(10),
         .x = 1,
         .p = 1,
         .q = 0,
         .u = 0},
        {.what = "unknown evaluation kind", .evalType = 4, .dist = dc_Normal, .x = 1, .p = 1, .q = 0, .u = 0},
        {.what = "trapezoid of zero width", .evalType = 3, .dist = dc_Trapez, .x = 1, .p = 0, .q = 0, .u = 0},
    };
    for (const BCase& c : cases) EXPECT_TRUE(std::isnan(Make(c).StdUncertainty())) << c.what;
    // A zero coverage factor is not finite either; the budget reports it.
    EXPECT_FALSE(std::isfinite(
        Make({.what = "", .evalType = 0, .dist = dc_Normal, .x = 1, .p = 1, .q = 0, .k = 0, .u = 0}).StdUncertainty()));
}

TEST(TypeBValue, LogNormalIntervalIsShiftedByTheMean) {
    BCase c{.what = "", .evalType = 3, .dist = dc_LgNormal, .x = 10, .p = 1, .q = 0, .u = 0};
    TGumParam b = Make(c);
    b.LimitSide = ll_Bottom;
    EXPECT_NEAR(b.Value(), 10 + std::exp(0.5), 1e-12);
    EXPECT_NEAR(b.Value(), 11.6487, 1e-4);
    EXPECT_NEAR(b.StdUncertainty(), 2.1612, 1e-4);
    b.LimitSide = ll_Top;
    EXPECT_NEAR(b.Value(), 8.3513, 1e-4);
    EXPECT_NEAR(b.LowerValue(), b.Value() - b.StdUncertainty(), 1e-15);
    EXPECT_NEAR(b.RelativeUncertainty(), 100 * b.StdUncertainty() / b.Value(), 1e-12);
}

TEST(TypeBValue, EveryOtherCaseIsTheStatedValue) {
    for (std::uint8_t kind = 0; kind <= 3; ++kind) {
        for (int d = 0; d < kDistributionCount; ++d) {
            if (kind == 3 && d == dc_LgNormal) continue;
            BCase c{.what = "",
                    .evalType = kind,
                    .dist = static_cast<TDistribution>(d),
                    .x = 7.25,
                    .p = 1,
                    .q = 0.5,
                    .u = 0};
            EXPECT_EQ(Make(c).Value(), 7.25) << int(kind) << " " << d;
        }
    }
    // The log-normal shift belongs to the interval kind only.
    EXPECT_EQ(Make({.what = "", .evalType = 2, .dist = dc_LgNormal, .x = 3, .p = 1, .q = 0, .u = 0}).Value(), 3.0);
}

TEST(TypeBDof, EnteredOrFromTheReliability) {
    struct Case {
        std::uint8_t evalType;
        TDistribution dist;
        int nu, r, dof;
    };
    const Case cases[] = {
        {0, dc_Normal, 12, 25, 12},     {1, dc_Normal, 0, 25, 0},
        {3, dc_DistributonT, 7, 25, 7}, {2, dc_Rectangle, 9, 0, kInfiniteDof},
        {2, dc_Rectangle, 9, 10, 50},   {2, dc_Rectangle, 9, 25, 8},
        {2, dc_Rectangle, 9, 50, 2},    {2, dc_Rectangle, 9, 100, 1},
        {2, dc_Rectangle, 9, 3, 555},   {2, dc_Rectangle, 9, 1, 5000},
        {3, dc_Normal, 9, 10, 50},      {3, dc_LgNormal, 9, 0, kInfiniteDof},
        {3, dt_SemiCosine, 9, 20, 12},  {3, dc_Trapez, 9, 200, 1},
        {2, dc_Rectangle, 9, 70, 1},    {2, dc_Rectangle, 9, 71, 1},
    };
    for (const Case& c : cases) {
        TGumParam b =
            Make({.what = "", .evalType = c.evalType, .dist = c.dist, .x = 1, .p = 1, .q = 95, .nu = c.nu, .u = 0});
        b.Reliability = static_cast<std::uint8_t>(c.r);
        EXPECT_EQ(b.DOF(), c.dof) << int(c.evalType) << " " << int(c.dist) << " r=" << c.r;
    }
}

TEST(TypeBDof, ReliabilityRuleMatchesTheExactFraction) {
    // The integer part of 1 / (2 (r/100)^2) for every byte; the tiny margin
    // absorbs the rounding of r/100, which alone would give 49 for r = 10.
    // Above 70,7 % the fraction is below 1: still one degree of freedom, not
    // the 0 that the Welch-Satterthwaite sum would read as infinite.
    for (int r = 1; r <= 255; ++r) {
        const double f = 1.0 / (2.0 * (r / 100.0) * (r / 100.0));
        EXPECT_EQ(DofFromReliability(r), std::max(1, static_cast<int>(std::floor(f + 1e-9)))) << r;
    }
    EXPECT_EQ(DofFromReliability(0), kInfiniteDof);
}

TEST(TypeBDistribution, StatedKindsFollowTheirOwnDistribution) {
    // A stored distribution left over from an earlier interval choice must
    // not show for a stated uncertainty or an error bound.
    TGumParam b;
    b.SetKind(TParamKind::TypeB);
    b.Distribution = dc_Trapez;
    const TDistribution expected[] = {dc_Normal, dc_Normal, dc_Rectangle, dc_Trapez};
    for (std::uint8_t kind = 0; kind < 4; ++kind) {
        b.BEvalType = kind;
        EXPECT_EQ(b.EffectiveDistribution(), expected[kind]) << "evaluation kind " << int(kind);
    }
    TGumParam a;
    a.SetKind(TParamKind::TypeA);
    a.Distribution = dc_Trapez;
    EXPECT_EQ(a.EffectiveDistribution(), dc_Normal);
}

}  // namespace
}  // namespace vormid
