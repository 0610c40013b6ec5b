#include "evaluation/BudgetCalculation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ModelBuilder.h"
#include "evaluation/Coverage.h"
#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

using test::Entry;
using test::TModel;

bool Contains(const std::string& text, const char* utf8) {
    return text.find(Cp1251FromUtf8(utf8)) != std::string::npos;
}

TEST(BudgetCalculation, ProductOfTwoInputs) {
    TModel t;
    t.Result("Y", "V");
    t.TypeB("A", 2.0, 0.1);
    t.TypeB("B", 3.0, 0.2);
    t.Equation({"Y = A*B"});
    const TBudget& b = t.Run("Y");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_EQ(b.Units, "V");
    EXPECT_DOUBLE_EQ(b.Value, 6.0);
    EXPECT_DOUBLE_EQ(b.ResultValue, 6.0);
    ASSERT_EQ(b.EntryCount(), 2);
    EXPECT_EQ(b.GetEntry(0)->Name, "A");
    EXPECT_EQ(b.GetEntry(1)->Name, "B");
    const TBudgetEntry& a = Entry(b, "A");
    const TBudgetEntry& e = Entry(b, "B");
    EXPECT_NEAR(a.Sensitivity, 3.0, 1e-12);
    EXPECT_NEAR(e.Sensitivity, 2.0, 1e-12);
    EXPECT_NEAR(a.Contribution, 0.3, 1e-12);
    EXPECT_NEAR(e.Contribution, 0.4, 1e-12);
    EXPECT_NEAR(b.CombinedUncertainty, 0.5, 1e-12);
    EXPECT_NEAR(a.Ratio, 0.6, 1e-12);
    EXPECT_NEAR(a.Index, 36.0, 1e-10);
    EXPECT_NEAR(e.Index, 64.0, 1e-10);
    EXPECT_NEAR(b.MaxContribution, 0.4, 1e-12);
    EXPECT_NEAR(b.MaxIndex, 64.0, 1e-10);
    EXPECT_NEAR(b.RelativeUncertainty, 100.0 * 0.5 / 6.0, 1e-10);
    EXPECT_DOUBLE_EQ(a.StdUncertainty, 0.1);
    EXPECT_DOUBLE_EQ(a.Value, 2.0);
    EXPECT_EQ(a.Distribution, dc_Normal);  // the quantity's distribution
    EXPECT_EQ(b.EffectiveDOF, kInfiniteDof);
    EXPECT_DOUBLE_EQ(b.CoverageFactor, 2.0);
    EXPECT_DOUBLE_EQ(b.CoverageProbability, 95.0);
    EXPECT_NEAR(b.ExpandedUncertainty, 1.0, 1e-12);
}

struct SensitivityCase {
    const char* what;
    const char* equation;
    double x, u;
    double sensitivity;
};

class Sensitivities : public testing::TestWithParam<SensitivityCase> {};

TEST_P(Sensitivities, CentralDifference) {
    const SensitivityCase& c = GetParam();
    TModel t;
    t.Result("Y");
    t.TypeB("A", c.x, c.u);
    t.Const("K", 4.0);
    t.Equation({c.equation});
    const TBudget& b = t.Run("Y");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_NEAR(Entry(b, "A").Sensitivity, c.sensitivity, 1e-12) << c.what;
    EXPECT_NEAR(Entry(b, "A").Contribution, c.sensitivity * c.u, 1e-12) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Model, Sensitivities,
                         testing::Values(SensitivityCase{"square: ((1.1)^2 - (0.9)^2) / 0.2", "Y = A^2", 1.0, 0.1, 2.0},
                                         SensitivityCase{"linear model is exact", "Y = 3*A - K", 5.0, 0.5, 3.0},
                                         SensitivityCase{"negative coefficient", "Y = K - 2*A", 1.0, 0.25, -2.0},
                                         SensitivityCase{"u = 0 gives no sensitivity", "Y = A^2", 1.0, 0.0, 0.0},
                                         SensitivityCase{"an input that cancels", "Y = A-A+K", 1.0, 0.1, 0.0}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(BudgetCalculation, ConstantEntryCarriesValueAndUnits) {
    TModel t;
    t.Result("Y");
    t.TypeB("A", 1.0, 0.1);
    t.Const("K", 4.0, "mm");
    t.Equation({"Y = K*A"});
    const TBudget& b = t.Run("Y");
    const TBudgetEntry& k = Entry(b, "K");
    EXPECT_DOUBLE_EQ(k.Value, 4.0);
    EXPECT_EQ(k.Units, "mm");
    EXPECT_EQ(k.Contribution, 0.0);
    EXPECT_NEAR(Entry(b, "A").Sensitivity, 4.0, 1e-12);
}

struct DofCase {
    const char* what;
    int nuA, nuB;
    double uA, uB;
    int expected;
};

class EffectiveDof : public testing::TestWithParam<DofCase> {};

TEST_P(EffectiveDof, WelchSatterthwaite) {
    const DofCase& c = GetParam();
    TModel t;
    t.Result("Y");
    t.TypeA("A", 1.0, c.uA, c.nuA);
    t.TypeA("B", 1.0, c.uB, c.nuB);
    t.Equation({"Y = A+B"});
    const TBudget& b = t.Run("Y");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_EQ(b.EffectiveDOF, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Model, EffectiveDof,
                         testing::Values(DofCase{"all infinite", -1, -1, 0.1, 0.2, kInfiniteDof},
                                         DofCase{"one input carries all of u_c", 4, -1, 0.3, 0.0, 4},
                                         DofCase{"two equal contributions of nu 5 give exactly 10", 5, 5, 0.3, 0.3, 10},
                                         DofCase{"equal contributions of nu 3 give exactly 6", 3, 3, 0.7, 0.7, 6},
                                         DofCase{"truncated toward zero: 0.5^4/(0.3^4/4+0.4^4/9) = 12.8", 4, 9, 0.3,
                                                 0.4, 12},
                                         DofCase{"nu 0 counts as infinite", 0, 0, 0.1, 0.1, kInfiniteDof},
                                         DofCase{"an input of nu 1 stays in the sum", 1, -1, 0.3, 0.0, 1}),
                         [](const auto& info) { return std::to_string(info.index); });

// The t factor of a result follows ν_eff up to 1000 inclusive; only above
// it (and at infinity) the normal factor.
TEST(StudentCoverage, FactorAtTheEdgesOfTheTRange) {
    struct Case {
        int nu;
        double k;
    } const cases[] = {{1, 12.7062}, {1000, 1.96234}, {1001, 1.95996}, {-1, 1.95996}};
    for (const Case& c : cases) {
        TModel t;
        TGumParam& y = t.Result("Y");
        y.CoverageMethod = cm_Student;
        y.CoverageProbability = 95.0;
        t.TypeA("A", 1.0, 0.5, c.nu);
        t.Equation({"Y = A"});
        const TBudget& b = t.Run("Y");
        ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
        EXPECT_EQ(b.EffectiveDOF, c.nu);
        EXPECT_NEAR(b.CoverageFactor, c.k, 1e-3) << "nu_eff = " << c.nu;
        EXPECT_NEAR(b.ExpandedUncertainty, 0.5 * c.k, 1e-4) << "nu_eff = " << c.nu;
    }
}

struct CorrelationCase {
    const char* what;
    double r;
    int code;
    double combined;
};

class Correlations : public testing::TestWithParam<CorrelationCase> {};

TEST_P(Correlations, CombinedUncertainty) {
    const CorrelationCase& c = GetParam();
    TModel t;
    t.Result("Y");
    t.TypeB("A", 2.0, 0.1);
    t.TypeB("B", 3.0, 0.2);
    t.Equation({"Y = A*B"});
    t.Correlate("A", "B", c.r);
    const TBudget& b = t.Run("Y");
    EXPECT_EQ(b.ErrorCode, c.code) << c.what;
    if (c.code == NoError) {
        EXPECT_NEAR(b.CombinedUncertainty, c.combined, 1e-12) << c.what;
        // The relative figure belongs to the combined uncertainty stated.
        EXPECT_NEAR(b.RelativeUncertainty, 100.0 * c.combined / 6.0, 1e-10) << c.what;
        // Ratios and indexes stay those of the uncorrelated u_c.
        EXPECT_NEAR(Entry(b, "A").Index, 36.0, 1e-10);
    } else {
        EXPECT_FALSE(b.ErrorMessage.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Model, Correlations,
                         testing::Values(CorrelationCase{"+1: sqrt(0.25 + 0.24)", 1.0, NoError, 0.7},
                                         CorrelationCase{"-1: sqrt(0.25 - 0.24)", -1.0, NoError, 0.1},
                                         CorrelationCase{"0 leaves u_c", 0.0, NoError, 0.5},
                                         CorrelationCase{"a coefficient below -1 is refused before any variance", -2.0,
                                                         CalculationFailed, 0.0}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(BudgetCalculation, FullAntiCorrelationOfEqualContributionsIsZero) {
    TModel t;
    t.Result("Y");
    t.TypeB("A", 1.0, 0.1);
    t.TypeB("B", 1.0, 0.1);
    t.Equation({"Y = A+B"});
    t.Correlate("A", "B", -1.0);
    const TBudget& b = t.Run("Y");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_NEAR(b.CombinedUncertainty, 0.0, 1e-12);
}

TEST(BudgetCalculation, PairsWithoutBothEntriesDoNotCount) {
    TModel t;
    t.Result("Y");
    t.TypeB("A", 2.0, 0.1);
    t.TypeB("B", 3.0, 0.2);
    t.TypeB("C", 3.0, 0.2);
    t.Equation({"Y = A*B"});
    t.Correlate("A", "C", 1.0);
    t.Correlate("", "", 0.0);
    EXPECT_NEAR(t.Run("Y").CombinedUncertainty, 0.5, 1e-12);
}

struct CoverageCase {
    const char* what;
    std::uint8_t method;
    int nu;  // nu of the only input (-1 infinite)
    double storedK, storedP;
    double k, p;      // stated by the budget
    double writtenK;  // the result quantity's k afterwards
};

class Coverage : public testing::TestWithParam<CoverageCase> {};

TEST_P(Coverage, FactorAndProbability) {
    const CoverageCase& c = GetParam();
    TModel t;
    TGumParam& y = t.Result("Y");
    y.CoverageMethod = c.method;
    y.CoverageFactor = c.storedK;
    y.CoverageProbability = c.storedP;
    t.TypeA("A", 1.0, 0.5, c.nu);
    t.Equation({"Y = A"});
    const TBudget& b = t.Run("Y");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_EQ(b.EffectiveDOF, c.nu);
    EXPECT_NEAR(b.CoverageFactor, c.k, 1e-4) << c.what;
    EXPECT_NEAR(b.CoverageProbability, c.p, 1e-12) << c.what;
    EXPECT_NEAR(y.CoverageFactor, c.writtenK, 1e-4) << c.what;
    EXPECT_NEAR(b.ExpandedUncertainty, b.CoverageFactor * 0.5, 1e-12) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Model, Coverage,
    testing::Values(CoverageCase{"standard states 2 and 95 whatever is stored", 0, 10, 3.0, 99.0, 2.0, 95.0, 3.0},
                    CoverageCase{"normal states the stored pair", 1, 10, 3.0, 99.73, 3.0, 99.73, 3.0},
                    CoverageCase{"t with nu_eff 10 writes k back", 2, 10, 2.0, 95.0, 2.2281, 95.0, 2.2281},
                    CoverageCase{"t with infinite nu_eff uses the normal factor", 2, -1, 2.0, 95.0, 1.95996, 95.0,
                                 1.95996},
                    CoverageCase{"t above 1000 uses the normal factor", 2, 5000, 2.0, 95.0, 1.95996, 95.0, 1.95996},
                    CoverageCase{"entered states the stored pair", 3, 10, 2.5, 98.0, 2.5, 98.0, 2.5}),
    [](const auto& info) { return std::to_string(info.index); });

struct FormatCase {
    const char* what;
    std::uint8_t format;
    double x;
    int code;
    double expanded;
};

class ResultFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(ResultFormats, ExpandedUncertainty) {
    const FormatCase& c = GetParam();
    TModel t;
    t.Result("Y").ResultFormat = c.format;
    t.TypeB("A", c.x, 1.0);
    t.Equation({"Y = A"});
    const TBudget& b = t.Run("Y");
    EXPECT_EQ(b.ErrorCode, c.code) << c.what;
    if (c.code == NoError)
        EXPECT_NEAR(b.ExpandedUncertainty, c.expanded, 1e-12) << c.what;
    else
        EXPECT_TRUE(Contains(b.ErrorMessage, "нула")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Model, ResultFormats,
    testing::Values(FormatCase{"absolute", 0, 200.0, NoError, 2.0}, FormatCase{"relative", 1, 200.0, NoError, 0.01},
                    FormatCase{"relative in per cent: y 200, u 1, k 2 gives 1", 2, 200.0, NoError, 1.0},
                    FormatCase{"relative of a negative result is positive", 1, -200.0, NoError, 0.01},
                    FormatCase{"absolute with y = 0", 0, 0.0, NoError, 2.0},
                    FormatCase{"relative with y = 0", 1, 0.0, DivisionByZero, 0.0},
                    FormatCase{"per cent with y = 0", 2, 0.0, DivisionByZero, 0.0}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(BudgetCalculation, ZeroResultHasZeroRelativeUncertainty) {
    TModel t;
    t.Result("Y");
    t.TypeB("A", 0.0, 1.0);
    t.Equation({"Y = A"});
    EXPECT_EQ(t.Run("Y").RelativeUncertainty, 0.0);
}

struct FailureCase {
    const char* what;
    std::vector<const char*> equation;
    int code;
    const char* messagePart;  // UTF-8; the message names the quantity
};

class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, MarkTheBudgetAndSpareTheOthers) {
    const FailureCase& c = GetParam();
    TModel t;
    t.Result("Y");
    t.Result("Z");
    t.TypeB("A", 2.0, 0.1);
    t.TypeB("B", 0.0, 0.0);
    t.TypeB("C", 0.1, 0.1);
    t.TypeB("H", 1e200, 1.0);
    t.TypeB("W", 1.0, 1.0).BEvalType = 0;  // expanded with a zero coverage factor
    t.M.Params.FindByName("W")->CoverageFactor = 0.0;
    t.Var("X");
    t.Var("V");
    t.M.Equation = test::Rtf(c.equation);
    t.Run("Y");
    const TBudget& y = t.Budget("Y");
    EXPECT_EQ(y.ErrorCode, c.code) << c.what;
    EXPECT_TRUE(Contains(y.ErrorMessage, c.messagePart)) << c.what;
    const TBudget& z = t.Budget("Z");
    EXPECT_EQ(z.ErrorCode, NoError) << c.what << ": " << z.ErrorMessage;
    EXPECT_NEAR(z.Value, 4.0, 1e-12) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Model, Failures,
    testing::Values(
        FailureCase{"name that is no quantity", {"Y = A*Q", "Z = 2*A"}, CalculationFailed, "Q"},
        FailureCase{"result without a line", {"Z = 2*A"}, CalculationFailed, "Y"},
        FailureCase{"line without a right side", {"Y =", "Z = 2*A"}, CalculationFailed, "Y"},
        FailureCase{"division by zero at the estimates", {"Y = A/B", "Z = 2*A"}, DivisionByZero, "Деление на нула"},
        FailureCase{"division by zero with an input shifted", {"Y = A/C", "Z = 2*A"}, DivisionByZero, "C"},
        FailureCase{"infinite value", {"Y = H*H*H", "Z = 2*A"}, CalculationFailed, "Y"},
        FailureCase{"infinite input uncertainty", {"Y = A*W", "Z = 2*A"}, CalculationFailed, "W"},
        FailureCase{
            "cycle of intermediate results", {"Y = X", "X = V+1", "V = X*A", "Z = 2*A"}, CalculationFailed, "„X“, „V“"},
        FailureCase{"result defined by itself", {"Y = Y+A", "Z = 2*A"}, CalculationFailed, "„Y“"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(BudgetCalculation, IntermediateResultEntryGetsItsHelpTable) {
    TModel t;
    t.Result("Y");
    t.Var("X", "mm");
    t.TypeB("A", 2.0, 0.3, 4);
    t.TypeB("B", 3.0, 0.4, 4);
    t.TypeB("C", 5.0, 0.0);
    t.Equation({"X = A+B", "Y = X*C"});
    const TBudget& b = t.Run("Y");
    ASSERT_EQ(b.ErrorCode, NoError) << b.ErrorMessage;
    EXPECT_DOUBLE_EQ(b.Value, 25.0);
    ASSERT_EQ(b.EntryCount(), 4);
    EXPECT_EQ(b.GetEntry(0)->Name, "X");
    EXPECT_EQ(b.GetEntry(1)->Name, "C");
    EXPECT_EQ(b.GetEntry(2)->Name, "A");
    const TBudgetEntry& x = Entry(b, "X");
    EXPECT_EQ(x.Units, "mm");
    EXPECT_DOUBLE_EQ(x.Value, 5.0);
    EXPECT_NEAR(x.StdUncertainty, 0.5, 1e-12);
    EXPECT_NEAR(x.RelUncertainty, 10.0, 1e-10);
    // 0.5^4 / (0.3^4/4 + 0.4^4/4) = 7.4
    EXPECT_EQ(x.DegreesOfFreedom, 7);
    EXPECT_EQ(x.Contribution, 0.0);
    EXPECT_NEAR(b.CombinedUncertainty, 2.5, 1e-12);
}

TEST(BudgetCalculation, LookupValueFollowsTheShiftState) {
    TModel t;
    t.TypeB("A", 2.0, 0.1);
    t.Const("K", 4.0);
    TBudgetCalculator c(t.M.Params, t.M.Correlations, "");
    EXPECT_DOUBLE_EQ(c.LookupValue("A"), 2.0);
    c.SetShift("A", kShiftDown);
    EXPECT_DOUBLE_EQ(c.LookupValue("A"), 2.0 - 0.1);
    EXPECT_DOUBLE_EQ(c.LookupValue("K"), 4.0);
    c.SetShift("A", kShiftUp);
    EXPECT_DOUBLE_EQ(c.LookupValue("A"), 2.0 + 0.1);
    c.ClearShift();
    EXPECT_DOUBLE_EQ(c.LookupValue("A"), 2.0);
    EXPECT_THROW(c.LookupValue("a"), TCalculationError);  // names are exact
}

TEST(BudgetCalculation, BudgetsFollowTheListOrderAndReplaceTheOldOnes) {
    TModel t;
    t.Result("Z");
    t.TypeB("A", 2.0, 0.1);
    t.Result("Y");
    t.Equation({"Y = A", "Z = 2*A"});
    t.M.Budgets.push_back(std::make_unique<TBudget>());
    EXPECT_TRUE(CalculateBudgets(t.M));
    ASSERT_EQ(t.M.Budgets.size(), 2u);
    EXPECT_EQ(t.M.Budgets[0]->Name, "Z");
    EXPECT_EQ(t.M.Budgets[1]->Name, "Y");
}

TEST(BudgetCalculation, EmptyModel) {
    TModel t;
    EXPECT_TRUE(CalculateBudgets(t.M));
    EXPECT_TRUE(t.M.Budgets.empty());
}

}  // namespace
}  // namespace vormid
