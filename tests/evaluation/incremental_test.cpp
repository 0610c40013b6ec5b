// The calculation evaluates shifted inputs incrementally; the results must be
// those of whole evaluations through LookupValue, bit for bit, including the
// evaluation errors. Random models (fixed seed) cover the operators, the
// functions, intermediate results and domain errors.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "ModelBuilder.h"

namespace vormid {
namespace {

class ExpressionMaker {
public:
    ExpressionMaker(std::mt19937& rng, int inputs) : Rng_(rng), Inputs_(inputs) {}

    std::string Make(int depth) {
        if (depth == 0 || Pick(4) == 0) return Leaf();
        switch (Pick(12)) {
            case 0:
                return Make(depth - 1) + "+" + Make(depth - 1);
            case 1:
                return Make(depth - 1) + "-" + Make(depth - 1);
            case 2:
                return Make(depth - 1) + "*" + Make(depth - 1);
            case 3:
                return Make(depth - 1) + "/" + Make(depth - 1);
            case 4:
                return "(" + Make(depth - 1) + ")^" + (Pick(2) ? "2" : "0,5");
            case 5:
                return "(" + Make(depth - 1) + "+" + Make(depth - 1) + ")*" + Leaf();
            case 6:
                return "SIN(" + Make(depth - 1) + ")";
            case 7:
                return "EXP(" + Make(depth - 1) + "/10)";
            case 8:
                return "SQRT(" + Make(depth - 1) + ")";
            case 9:
                return "LN(" + Make(depth - 1) + ")";
            case 10:
                return "MAX(" + Make(depth - 1) + ";" + Make(depth - 1) + ")";
            default:
                return "-" + Leaf();
        }
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng_); }
    std::string Leaf() {
        switch (Pick(5)) {
            case 0:
                return "2,5";
            case 1:
                return "K";
            default:
                return "X" + std::to_string(Pick(Inputs_));
        }
    }
    std::mt19937& Rng_;
    int Inputs_;
};

void ExpectSameBits(double a, double b, const char* what, int model) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a), std::bit_cast<std::uint64_t>(b))
        << what << " of model " << model << ": " << a << " vs " << b;
}

void ExpectSameBudget(const TBudget& a, const TBudget& b, int model) {
    EXPECT_EQ(a.ErrorCode, b.ErrorCode) << model;
    EXPECT_EQ(a.ErrorMessage, b.ErrorMessage) << model;
    ExpectSameBits(a.Value, b.Value, "y", model);
    ExpectSameBits(a.CombinedUncertainty, b.CombinedUncertainty, "u_c", model);
    ExpectSameBits(a.ExpandedUncertainty, b.ExpandedUncertainty, "U", model);
    ExpectSameBits(a.CoverageFactor, b.CoverageFactor, "k", model);
    EXPECT_EQ(a.EffectiveDOF, b.EffectiveDOF) << model;
    ASSERT_EQ(a.EntryCount(), b.EntryCount()) << model;
    for (int i = 0; i < a.EntryCount(); ++i) {
        ExpectSameBits(a.GetEntry(i)->Sensitivity, b.GetEntry(i)->Sensitivity, "c", model);
        ExpectSameBits(a.GetEntry(i)->Contribution, b.GetEntry(i)->Contribution, "c u", model);
        ExpectSameBits(a.GetEntry(i)->StdUncertainty, b.GetEntry(i)->StdUncertainty, "u", model);
    }
}

TEST(IncrementalEvaluation, BitIdenticalToWholeEvaluationsOnRandomModels) {
    std::mt19937 rng(20240611);
    constexpr int kInputs = 6;
    int failed = 0;
    for (int model = 0; model < 300; ++model) {
        test::TModel t;
        t.Result("Y").CoverageMethod = 2;
        t.Result("Z");
        t.Var("V");
        std::uniform_real_distribution<double> x(-3.0, 3.0), u(0.0, 0.5);
        std::uniform_int_distribution<int> nu(0, 30);
        for (int i = 0; i < kInputs; ++i) {
            std::string name = "X" + std::to_string(i);
            if (i % 2 == 0)
                t.TypeB(name.c_str(), x(rng), u(rng), nu(rng));
            else
                t.TypeA(name.c_str(), x(rng), u(rng), nu(rng));
        }
        t.Const("K", x(rng));
        ExpressionMaker make(rng, kInputs);
        std::string y = "Y = " + make.Make(4) + "+V";
        std::string v = "V = " + make.Make(3);
        std::string z = "Z = V*" + make.Make(3);
        t.Equation({y.c_str(), v.c_str(), z.c_str()});
        t.Correlate("X0", "X1", 0.5);

        t.Run("Y", true);
        TBudgets incremental = std::move(t.M.Budgets);
        t.Run("Y", false);
        ASSERT_EQ(incremental.size(), t.M.Budgets.size());
        for (std::size_t i = 0; i < incremental.size(); ++i) {
            ExpectSameBudget(*incremental[i], *t.M.Budgets[i], model);
            if (incremental[i]->ErrorCode != NoError) ++failed;
        }
    }
    // The models reach the evaluation errors as well as clean budgets.
    EXPECT_GT(failed, 20);
    EXPECT_LT(failed, 500);
}

TEST(IncrementalEvaluation, BitIdenticalOnALongSumOfSquares) {
    test::TModel t;
    t.Result("Y").CoverageMethod = 2;
    std::string y = "Y = ";
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> x(0.1, 10.0);
    for (int i = 1; i <= 300; ++i) {
        std::string name = "X" + std::to_string(i);
        t.TypeB(name.c_str(), x(rng), x(rng) / 100.0, 1 + i % 50);
        y += (i > 1 ? "+" : "") + name + "*" + name;
    }
    t.Equation({y.c_str()});
    t.Run("Y", true);
    TBudgets incremental = std::move(t.M.Budgets);
    t.Run("Y", false);
    ExpectSameBudget(*incremental[0], *t.M.Budgets[0], 0);
    EXPECT_EQ(incremental[0]->ErrorCode, NoError);
}

}  // namespace
}  // namespace vormid
