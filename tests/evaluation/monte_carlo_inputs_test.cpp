// The input distributions of the Monte Carlo propagation: the generator and
// quantile functions, and every distribution's sample moments against its
// formulas, both drawn directly and through the copula's marginal.
#include "evaluation/MonteCarloInputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "core/Statistics.h"
#include "evaluation/MonteCarlo.h"
#include "evaluation/MonteCarloIntervals.h"

namespace vormid::mc {
namespace {

TEST(MonteCarloRandom, ReferenceOutputs) {
    // xoshiro256** from the state {1, 2, 3, 4}: rotl(2·5, 7)·9.
    TXoshiro256 g(std::array<std::uint64_t, 4>{1, 2, 3, 4});
    EXPECT_EQ(g.Next(), 11520u);
    std::uint64_t x = 0;
    EXPECT_EQ(SplitMix64(x), 0xE220A8397B1DCDAFull);
    // A jump leaves the stream elsewhere, the same way every time.
    TXoshiro256 a(7), b(7);
    a.Jump();
    b.Jump();
    EXPECT_EQ(a.State(), b.State());
    EXPECT_NE(a.State(), TXoshiro256(7).State());
}

TEST(MonteCarloRandom, QuantilesInvertTheirDistributionFunctions) {
    for (double p : {1e-300, 1e-20, 1e-6, 0.001, 0.02425, 0.1, 0.3, 0.5, 0.75, 0.975, 0.999999}) {
        const double z = NormalQuantile(p);
        EXPECT_NEAR(NormalCdf(z) / p, 1.0, 1e-13) << p;
    }
    EXPECT_NEAR(NormalQuantile(0.975), 1.959963984540054, 1e-15);
    for (int nu : {1, 2, 3, 5, 10, 50}) {
        for (double p : {1e-8, 0.01, 0.2, 0.5, 0.9, 0.975}) {
            const double t = StudentQuantile(nu, p);
            EXPECT_NEAR(StudentCdf(nu, t), p, 1e-12 * std::max(p, 1e-4)) << nu << " " << p;
        }
    }
    EXPECT_NEAR(StudentQuantile(10, 0.975), 2.228138851986, 1e-10);
}

TEST(MonteCarloIntervals, PlacesOfTheRule) {
    std::vector<double> y;
    for (int i = 1; i <= 100; ++i) y.push_back(i);
    // q = 90, r = 5: [y_5, y_95].
    const TInterval s = SymmetricInterval(y, 0.9);
    EXPECT_EQ(s.Low, 5.0);
    EXPECT_EQ(s.High, 95.0);
    // Half the values squeezed to the left: the shortest half starts at
    // the bottom.
    for (int i = 0; i < 50; ++i) y[i] = i * 0.01;
    const TInterval shortest = ShortestInterval(y, 0.5);
    EXPECT_EQ(shortest.Low, 0.0);
    EXPECT_EQ(shortest.High, 51.0);
    EXPECT_EQ(NumericalTolerance(2.0, 2), 0.05);
    EXPECT_NEAR(NumericalTolerance(0.0123, 2), 0.0005, 1e-18);
    EXPECT_EQ(NumericalTolerance(0.0, 2), 0.0);
}

// The draws come unsorted; only the tails are put in order, and the ends
// must be the very order statistics that a full sort gives.
TEST(MonteCarloIntervals, UnsortedDrawsGiveTheSortedEnds) {
    std::mt19937_64 rng(5);
    for (const std::size_t m : {2u, 3u, 17u, 1000u, 10001u, 20000u, 300001u})
        for (const double p : {0.95, 0.9973, 0.5, 0.3}) {
            std::vector<double> draws(m);
            // Skewed, with ties, so that the shortest interval is not the symmetric one.
            for (double& v : draws) v = std::floor(std::exp(std::normal_distribution<double>(0, 1)(rng)) * 50) / 50;
            // Draws in an order that misleads a strided sample of them: the
            // lowest values sit at every 19th place.
            if (m == 20000)
                for (std::size_t i = 0; i < m; i += 19) draws[i] = -1000.0 - static_cast<double>(i);
            std::vector<double> sorted = draws;
            std::sort(sorted.begin(), sorted.end());
            std::vector<double> work = draws;
            const TCoverageIntervals both = CoverageIntervals(work, p);
            const TInterval s = SymmetricInterval(sorted, p), shortest = ShortestInterval(sorted, p);
            work = draws;
            const TInterval alone = SymmetricIntervalOf(work, p);
            EXPECT_EQ(both.Symmetric.Low, s.Low) << m << " " << p;
            EXPECT_EQ(both.Symmetric.High, s.High) << m << " " << p;
            EXPECT_EQ(both.Shortest.Low, shortest.Low) << m << " " << p;
            EXPECT_EQ(both.Shortest.High, shortest.High) << m << " " << p;
            EXPECT_EQ(alone.Low, s.Low) << m << " " << p;
            EXPECT_EQ(alone.High, s.High) << m << " " << p;
        }
}

TEST(MonteCarloRandom, NormalBlockGivesTheNumbersOfSingleDraws) {
    TXoshiro256 one(3), block(3);
    std::vector<double> blocked(1000);
    block.NormalBlock(blocked.data(), blocked.size());
    for (std::size_t k = 0; k < blocked.size(); ++k) ASSERT_EQ(blocked[k], one.Normal()) << k;
    EXPECT_EQ(one.Next(), block.Next());
}

struct TLawCase {
    const char* Name;
    int BEvalType;
    TDistribution Distribution;
    double X, P, Q;
    TShape Shape;
};

void PrintTo(const TLawCase& c, std::ostream* os) { *os << c.Name; }

TGumParam Quantity(const TLawCase& c) {
    TGumParam p;
    p.SetKind(TParamKind::TypeB);
    p.BEvalType = static_cast<std::uint8_t>(c.BEvalType);
    p.Distribution = c.Distribution;
    p.BValue = c.X;
    p.StatedValue = c.P;
    p.BParam2 = c.Q;
    p.CoverageProbability = 95.0;
    p.CoverageFactor = 2.0;
    p.DegreesOfFreedom = 10;
    p.LimitSide = c.Distribution == dc_LgNormal && c.Q < 0 ? ll_Top : ll_Bottom;
    return p;
}

class MonteCarloLaw : public testing::TestWithParam<TLawCase> {};

// Sample mean and standard deviation of n values.
std::pair<double, double> Moments(const std::vector<double>& v) {
    long double s = 0, ss = 0;
    for (double x : v) s += x;
    const long double m = s / v.size();
    for (double x : v) ss += (x - m) * (x - m);
    return {static_cast<double>(m), static_cast<double>(std::sqrt(ss / (v.size() - 1)))};
}

TEST_P(MonteCarloLaw, SampleMomentsMatchTheFormulas) {
    const TLawCase& c = GetParam();
    const TGumParam p = Quantity(c);
    TInputLaw law;
    std::string message;
    ASSERT_TRUE(LawOf(p, law, message)) << message;
    EXPECT_EQ(law.Shape, c.Shape);
    // The law starts from the budget's estimate and standard uncertainty
    // (the t distribution's scale is its u; its spread is wider).
    EXPECT_NEAR(law.Mean(), p.Value(), 1e-12 * (1 + std::fabs(p.Value())));
    const double sd = law.StdDev();
    if (c.Shape != TShape::Student) {
        EXPECT_NEAR(sd, p.StdUncertainty(), 1e-12 * sd);
    }

    constexpr std::size_t n = 200'000;
    std::vector<double> direct(n), copula(n);
    TXoshiro256 g(42);
    law.DrawBlock(g, direct.data(), n);
    law.PrepareCopula();
    for (double& x : copula) x = law.FromNormal(g.Normal());
    for (const auto* sample : {&direct, &copula}) {
        const auto [mean, s] = Moments(*sample);
        EXPECT_NEAR(mean, law.Mean(), 5.0 * sd / std::sqrt(double(n))) << (sample == &direct ? "direct" : "copula");
        EXPECT_NEAR(s / sd, 1.0, 0.015) << (sample == &direct ? "direct" : "copula");
    }
}

INSTANTIATE_TEST_SUITE_P(Distributions, MonteCarloLaw,
                         testing::Values(TLawCase{"Expanded", 0, dc_Normal, 3.0, 0.4, 0, TShape::Normal},
                                         TLawCase{"Standard", 1, dc_Normal, -1.0, 0.3, 0, TShape::Normal},
                                         TLawCase{"Bound", 2, dc_Rectangle, 10.0, 0.5, 0, TShape::Rectangle},
                                         TLawCase{"Normal", 3, dc_Normal, 1.0, 1.96, 0, TShape::Normal},
                                         TLawCase{"LogNormalLower", 3, dc_LgNormal, 10.0, 0.4, 0.5, TShape::LogNormal},
                                         TLawCase{"LogNormalUpper", 3, dc_LgNormal, 10.0, 0.4, -0.5, TShape::LogNormal},
                                         TLawCase{"Student", 3, dc_DistributonT, 2.0, 1.0, 95.0, TShape::Student},
                                         TLawCase{"Rectangle", 3, dc_Rectangle, 0.0, 2.0, 0, TShape::Rectangle},
                                         TLawCase{"Triangle", 3, dc_Triangle, 5.0, 1.0, 0, TShape::Triangle},
                                         TLawCase{"Trapezoid", 3, dc_Trapez, 5.0, 2.0, 1.0, TShape::Trapezoid},
                                         TLawCase{"TrapezoidBasesSwapped", 3, dc_Trapez, 5.0, 0.5, 2.0,
                                                  TShape::Trapezoid},
                                         TLawCase{"Quadratic", 3, dc_Quatro, 0.0, 1.0, 0, TShape::Quadratic},
                                         TLawCase{"UShaped", 3, dc_DistributionU, 1.0, 1.0, 0, TShape::Arcsine},
                                         TLawCase{"Cosine", 3, dc_Cosine, 0.0, 3.0, 0, TShape::Cosine},
                                         TLawCase{"HalfCosine", 3, dt_SemiCosine, 0.0, 3.0, 0, TShape::HalfCosine}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MonteCarloLaw, TypeAFromObservationsIsAScaledT) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetObservationCount(6);
    for (int i = 0; i < 6; ++i) p.SetObservation(i, 10.0 + 0.1 * i);
    TInputLaw law;
    std::string message;
    ASSERT_TRUE(LawOf(p, law, message));
    EXPECT_EQ(law.Shape, TShape::Student);
    EXPECT_EQ(law.Nu, 5.0);
    EXPECT_DOUBLE_EQ(law.Scale, p.StdUncertainty());
    EXPECT_DOUBLE_EQ(law.Center, p.Value());
    // "Сигма" enlarges the scale as the budget does.
    p.ASUType = 1;
    ASSERT_TRUE(LawOf(p, law, message));
    EXPECT_DOUBLE_EQ(law.Scale, p.StdUncertainty());
    EXPECT_GT(law.Scale, p.Statistics.StdDevMean);
}

TEST(MonteCarloLaw, NoUncertaintyIsFixedAndNoValueIsRefused) {
    TGumParam p;
    p.SetKind(TParamKind::TypeB);
    p.BEvalType = 1;
    p.BValue = 4.0;
    TInputLaw law;
    std::string message;
    ASSERT_TRUE(LawOf(p, law, message));
    EXPECT_EQ(law.Shape, TShape::Fixed);
    p.BEvalType = 3;
    p.Distribution = dc_DistributonT;
    p.StatedValue = 1.0;
    p.DegreesOfFreedom = 0;  // no t distribution
    EXPECT_FALSE(LawOf(p, law, message));
    EXPECT_FALSE(message.empty());
}

}  // namespace
}  // namespace vormid::mc
