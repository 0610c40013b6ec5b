// The Monte Carlo propagation on whole models: the published examples of
// JCGM 101 (9.2), correlated inputs, intermediate results, reproducibility
// across thread counts, and draws that fail.
#include "evaluation/MonteCarlo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "ModelBuilder.h"
#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

TMonteCarloOptions Fixed(std::uint64_t trials, unsigned threads = 2) {
    TMonteCarloOptions o;
    o.MaxTrials = trials;
    o.Adaptive = false;
    o.Threads = threads;
    o.Seed = 2008;
    return o;
}

TMonteCarloResult Propagate(test::TModel& t, const TMonteCarloOptions& o, const std::string& name = "Y") {
    auto results = RunMonteCarlo(t.M, &name, o);
    if (results.size() != 1) throw std::logic_error("no result " + name);
    return results.front();
}

// The result's k from the normal distribution at P = 95 %, as the
// published intervals state it.
void NormalCoverage(TGumParam& y) {
    y.CoverageMethod = 1;
    y.CoverageFactor = 1.959963984540054;
}

// Y = X1 + X2 + X3 + X4 with four inputs of u = 1.
void Additive(test::TModel& t, bool rectangular) {
    NormalCoverage(t.Result("Y"));
    for (const char* name : {"X1", "X2", "X3", "X4"}) {
        if (rectangular)
            t.Bound(name, 0.0, std::sqrt(3.0));
        else
            t.TypeB(name, 0.0, 1.0);
    }
    t.Equation({"Y = X1 + X2 + X3 + X4"});
}

TEST(MonteCarloJcgm101, FourNormalInputs) {
    test::TModel t;
    Additive(t, false);
    const TMonteCarloResult r = Propagate(t, Fixed(1'000'000));
    ASSERT_TRUE(r.Ok) << r.Message;
    EXPECT_EQ(r.Trials, 1'000'000u);
    EXPECT_NEAR(r.Mean, 0.0, 0.01);
    EXPECT_NEAR(r.StdUncertainty, 2.00, 0.005);
    EXPECT_NEAR(r.SymmetricLow, -3.92, 0.02);
    EXPECT_NEAR(r.SymmetricHigh, 3.92, 0.02);
    EXPECT_NEAR(r.ShortestLow, -3.92, 0.02);
    EXPECT_NEAR(r.ShortestHigh, 3.92, 0.02);
    EXPECT_FALSE(r.ApproximateCorrelation);
}

// Classes over the shortest interval widened by a quarter of its width on
// each side; every draw is counted once, inside or beyond them.
TEST(MonteCarlo, HistogramClassesSpanTheWidenedShortestInterval) {
    test::TModel t;
    Additive(t, false);
    TMonteCarloOptions o = Fixed(100'000);
    o.HistogramClasses = 150;
    const TMonteCarloResult r = Propagate(t, o);
    ASSERT_TRUE(r.Ok) << r.Message;
    const TMonteCarloHistogram& h = r.Histogram;
    ASSERT_EQ(h.Counts.size(), 150u);
    const double width = r.ShortestHigh - r.ShortestLow;
    EXPECT_DOUBLE_EQ(h.Low, r.ShortestLow - width / 4.0);
    EXPECT_DOUBLE_EQ(h.Low + 150.0 * h.Width, r.ShortestHigh + width / 4.0);
    std::uint64_t total = h.Below + h.Above;
    for (const std::uint64_t c : h.Counts) total += c;
    EXPECT_EQ(total, r.Trials);
    // 1.5 × the 95 % interval of a normal leaves about 0.3 % of the draws out.
    EXPECT_NEAR(static_cast<double>(h.Below + h.Above) / static_cast<double>(r.Trials), 0.0033, 0.001);
    EXPECT_TRUE(Propagate(t, Fixed(100'000)).Histogram.Counts.empty());
}

TEST(MonteCarloJcgm101, FourRectangularInputs) {
    test::TModel t;
    Additive(t, true);
    TMonteCarloOptions o = Fixed(1'000'000);
    o.Digits = 3;
    const TMonteCarloResult r = Propagate(t, o);
    ASSERT_TRUE(r.Ok) << r.Message;
    EXPECT_NEAR(r.StdUncertainty, 2.00, 0.005);
    EXPECT_NEAR(r.SymmetricLow, -3.88, 0.02);
    EXPECT_NEAR(r.SymmetricHigh, 3.88, 0.02);
    // The budget's ±3,92 is 0,04 off: not within half a unit of the third
    // digit of u.
    ASSERT_TRUE(r.Gum.Available);
    EXPECT_NEAR(r.Gum.ExpandedUncertainty, 3.92, 0.01);
    EXPECT_EQ(r.Tolerance, 0.005);
    EXPECT_FALSE(r.Gum.Validated);
}

TEST(MonteCarloJcgm101, AdaptiveRunValidatesTheNormalCaseAtTwoDigits) {
    test::TModel t;
    Additive(t, false);
    TMonteCarloOptions o;
    o.Seed = 5;
    const TMonteCarloResult r = Propagate(t, o);
    ASSERT_TRUE(r.Ok) << r.Message;
    EXPECT_TRUE(r.Converged);
    EXPECT_EQ(r.Tolerance, 0.05);
    EXPECT_LT(r.Trials, 10'000'000u);
    EXPECT_EQ(r.Trials % 10'000, 0u);
    ASSERT_TRUE(r.Gum.Available);
    EXPECT_NEAR(r.Gum.Value, 0.0, 1e-12);
    EXPECT_LE(r.Gum.DLow, r.Tolerance);
    EXPECT_LE(r.Gum.DHigh, r.Tolerance);
    EXPECT_TRUE(r.Gum.Validated);
}

TEST(MonteCarlo, TrialLimitReachedIsNotConverged) {
    test::TModel t;
    Additive(t, false);
    TMonteCarloOptions o;
    o.MaxTrials = 25'000;  // two full batches and a part
    o.Digits = 4;
    std::vector<std::pair<std::string, std::uint64_t>> progress;
    o.Progress = [&progress](const std::string& name, std::uint64_t trials) { progress.emplace_back(name, trials); };
    const TMonteCarloResult r = Propagate(t, o);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Trials, 25'000u);
    EXPECT_FALSE(r.Converged);
    // The start of the run names the result, so a progress line can.
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), std::make_pair(std::string("Y"), std::uint64_t{0}));
}

TEST(MonteCarlo, CorrelatedPairReproducesItsCoefficient) {
    test::TModel t;
    NormalCoverage(t.Result("Y"));
    t.Result("Z");
    t.TypeB("A", 1.0, 1.0);
    t.TypeB("B", 2.0, 1.0);
    t.Correlate("A", "B", 0.7);
    t.Equation({"Y = A + B", "Z = A - B"});
    const TMonteCarloResult sum = Propagate(t, Fixed(400'000), "Y");
    const TMonteCarloResult diff = Propagate(t, Fixed(400'000), "Z");
    ASSERT_TRUE(sum.Ok && diff.Ok) << sum.Message << diff.Message;
    // u² = 2 ± 2r.
    const double r1 = (sum.StdUncertainty * sum.StdUncertainty - 2.0) / 2.0;
    const double r2 = (2.0 - diff.StdUncertainty * diff.StdUncertainty) / 2.0;
    EXPECT_NEAR(r1, 0.7, 0.01);
    EXPECT_NEAR(r2, 0.7, 0.01);
    EXPECT_FALSE(sum.ApproximateCorrelation);
    EXPECT_TRUE(sum.Gum.Validated);  // the budget counts the correlation too
}

TEST(MonteCarlo, CorrelatedNonNormalInputIsApproximate) {
    test::TModel t;
    t.Result("Y");
    t.Bound("A", 0.0, 1.0);
    t.TypeB("B", 0.0, 1.0);
    t.Correlate("B", "A", 0.5);
    t.Equation({"Y = A + B"});
    const TMonteCarloResult r = Propagate(t, Fixed(200'000));
    ASSERT_TRUE(r.Ok) << r.Message;
    EXPECT_TRUE(r.ApproximateCorrelation);
    // The rectangle keeps its marginal: u(A) = 1/√3; the copula's 0,5
    // becomes a Pearson coefficient of about 0,49.
    const double uA = 1.0 / std::sqrt(3.0);
    const double r2 = (r.StdUncertainty * r.StdUncertainty - uA * uA - 1.0) / (2.0 * uA);
    EXPECT_NEAR(r2, 0.49, 0.02);
}

TEST(MonteCarlo, IncompatibleCorrelationsFailNamingThePairs) {
    test::TModel t;
    t.Result("Y");
    t.TypeB("A", 0.0, 1.0);
    t.TypeB("B", 0.0, 1.0);
    t.TypeB("C", 0.0, 1.0);
    t.Correlate("A", "B", 0.9);
    t.Correlate("B", "C", 0.9);
    t.Correlate("A", "C", -0.9);
    t.Equation({"Y = A + B + C"});
    const TMonteCarloResult r = Propagate(t, Fixed(10'000));
    EXPECT_FALSE(r.Ok);
    EXPECT_NE(r.Message.find(Cp1251FromUtf8("„A“ и „B“")), std::string::npos);
}

TEST(MonteCarlo, IntermediateResultsAreSubstitutedAndConstantsStay) {
    test::TModel t;
    t.Result("Y");
    t.Var("X");
    t.TypeB("A", 1.0, 0.1);
    t.TypeB("B", 2.0, 0.1);
    t.Const("K", 3.0);
    t.Equation({"Y = K*X", "X = A + B"});
    const TMonteCarloResult r = Propagate(t, Fixed(200'000));
    ASSERT_TRUE(r.Ok) << r.Message;
    EXPECT_NEAR(r.Mean, 9.0, 0.005);
    EXPECT_NEAR(r.StdUncertainty, 3.0 * 0.1 * std::sqrt(2.0), 0.003);
}

TEST(MonteCarlo, SameSeedSameNumbersOnAnyThreadCount) {
    test::TModel t;
    t.Result("Y");
    t.TypeB("A", 2.0, 0.3);
    t.Bound("B", 1.0, 0.5);
    t.Equation({"Y = A*EXP(B)/(1+A)"});
    TMonteCarloOptions o;
    o.Seed = 77;
    o.Digits = 3;
    o.MaxTrials = 300'000;
    o.Threads = 1;
    const TMonteCarloResult one = Propagate(t, o);
    o.Threads = 2;
    const TMonteCarloResult two = Propagate(t, o);
    o.Threads = 5;
    const TMonteCarloResult five = Propagate(t, o);
    for (const TMonteCarloResult* r : {&two, &five}) {
        EXPECT_EQ(r->Trials, one.Trials);
        EXPECT_EQ(r->Converged, one.Converged);
        EXPECT_EQ(std::memcmp(&r->Mean, &one.Mean, sizeof(double)), 0);
        EXPECT_EQ(r->StdUncertainty, one.StdUncertainty);
        EXPECT_EQ(r->SymmetricLow, one.SymmetricLow);
        EXPECT_EQ(r->SymmetricHigh, one.SymmetricHigh);
        EXPECT_EQ(r->ShortestLow, one.ShortestLow);
        EXPECT_EQ(r->ShortestHigh, one.ShortestHigh);
    }
    o.Seed = 78;
    EXPECT_NE(Propagate(t, o).Mean, one.Mean);
}

// A run without a histogram keeps only each batch's tails for the
// intervals; with batches of 40 the tails cannot hold the run's ends (the
// least batch cut-off lies far out), and the run draws its batches again
// keeping every draw. Either way the figures are those of a run that keeps
// every draw for its histogram.
TEST(MonteCarlo, IntervalsFromTheBatchTailsAreThoseOfEveryDraw) {
    test::TModel t;
    t.Result("Y");
    t.TypeB("A", 2.0, 0.3);
    t.Bound("B", 1.0, 0.5);
    t.Equation({"Y = A*EXP(B)/(1+A)"});
    for (const std::uint64_t batch : {10'000u, 40u}) {
        TMonteCarloOptions o = Fixed(200'000);
        o.BatchSize = batch;
        const TMonteCarloResult tails = Propagate(t, o);
        o.HistogramClasses = 100;
        const TMonteCarloResult all = Propagate(t, o);
        ASSERT_TRUE(tails.Ok) << tails.Message;
        EXPECT_EQ(tails.Mean, all.Mean);
        EXPECT_EQ(tails.SymmetricLow, all.SymmetricLow);
        EXPECT_EQ(tails.SymmetricHigh, all.SymmetricHigh);
        EXPECT_EQ(tails.ShortestLow, all.ShortestLow);
        EXPECT_EQ(tails.ShortestHigh, all.ShortestHigh);
    }
}

TEST(MonteCarlo, FailingDrawsFailTheRunWithCountAndFirstError) {
    test::TModel t;
    t.Result("Y");
    t.TypeB("A", 0.5, 1.0);  // about a third of the draws are not positive
    t.Equation({"Y = LN(A)"});
    const TMonteCarloResult r = Propagate(t, Fixed(100'000, 2));
    EXPECT_FALSE(r.Ok);
    EXPECT_GT(r.FailedDraws, 2000u);
    EXPECT_LT(r.FailedDraws, 10'000u);  // the first batch decides
    EXPECT_EQ(r.Trials, 10'000u);
    EXPECT_NE(r.FirstError.find(Cp1251FromUtf8("деление на нула")), std::string::npos) << r.FirstError;
    EXPECT_NE(r.Message.find(std::to_string(r.FailedDraws)), std::string::npos);
    // The same on one thread.
    const TMonteCarloResult single = Propagate(t, Fixed(100'000, 1));
    EXPECT_EQ(single.FailedDraws, r.FailedDraws);
    EXPECT_EQ(single.FirstError, r.FirstError);
}

TEST(MonteCarlo, ModelFaultsAreStated) {
    test::TModel t;
    t.Result("Y");
    t.TypeB("A", 1.0, 0.1);
    t.Equation({"Y = A + Q"});
    const TMonteCarloResult unknown = Propagate(t, Fixed(10'000));
    EXPECT_FALSE(unknown.Ok);
    EXPECT_NE(unknown.Message.find(Cp1251FromUtf8("„Q“")), std::string::npos);

    test::TModel u;
    u.Result("Y");
    u.TypeB("A", 1.0, 0.1);
    u.M.Params.FindByName("Y")->CoverageMethod = 3;
    u.M.Params.FindByName("Y")->CoverageProbability = 100.0;
    u.Equation({"Y = A"});
    const TMonteCarloResult coverage = Propagate(u, Fixed(10'000));
    EXPECT_FALSE(coverage.Ok);
    EXPECT_NE(coverage.Message.find(Cp1251FromUtf8("100 %")), std::string::npos);
}

}  // namespace
}  // namespace vormid
