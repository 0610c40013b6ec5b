#include "evaluation/Coverage.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ModelBuilder.h"
#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

TEST(CoverageMethod, StandardStoresNinetyFiveAndTwo) {
    TGumParam r;
    r.CoverageFactor = 3.0;
    r.CoverageProbability = 99.0;
    SelectCoverageMethod(r, cm_Standard);
    EXPECT_EQ(r.CoverageMethod, cm_Standard);
    EXPECT_EQ(r.CoverageProbability, 95.0);
    EXPECT_EQ(r.CoverageFactor, 2.0);
}

TEST(CoverageMethod, NormalCouplesProbabilityAndFactor) {
    TGumParam r;
    SelectCoverageMethod(r, cm_Normal);
    EXPECT_NEAR(r.CoverageFactor, 1.95996, 1e-4);
    SetCoverageFactor(r, 3.0);
    EXPECT_NEAR(r.CoverageProbability, 99.73, 0.01);
    SetCoverageProbability(r, 99.0);
    EXPECT_NEAR(r.CoverageFactor, 2.5758, 1e-3);
    // P = 100 has no finite factor: the last one stays.
    SetCoverageProbability(r, 100.0);
    EXPECT_NEAR(r.CoverageFactor, 2.5758, 1e-3);
}

TEST(CoverageMethod, EnteredAndStudentKeepEachValueAlone) {
    for (std::uint8_t method : {cm_Student, cm_Entered}) {
        TGumParam r;
        SelectCoverageMethod(r, method);
        SetCoverageFactor(r, 3.0);
        SetCoverageProbability(r, 90.0);
        EXPECT_EQ(r.CoverageFactor, 3.0);
        EXPECT_EQ(r.CoverageProbability, 90.0);
    }
}

TEST(CoverageMethod, BudgetUsesTheCoupledNormalPair) {
    test::TModel t;
    TGumParam& y = t.Result("Y");
    SelectCoverageMethod(y, cm_Normal);
    SetCoverageFactor(y, 3.0);
    t.TypeB("A", 1.0, 0.5);
    t.Equation({"Y = A"});
    const TBudget& b = t.Run("Y");
    EXPECT_EQ(b.CoverageFactor, 3.0);
    EXPECT_NEAR(b.CoverageProbability, 99.73, 0.01);
    EXPECT_NEAR(b.ExpandedUncertainty, 1.5, 1e-12);
}

TEST(CoverageMethod, StudentFactorForDof) {
    EXPECT_NEAR(CoverageFactorForDof(10, 95.0), 2.2281, 1e-4);
    EXPECT_NEAR(CoverageFactorForDof(1, 95.0), 12.706, 1e-2);
    EXPECT_NEAR(CoverageFactorForDof(kInfiniteDof, 95.0), 1.95996, 1e-4);
    EXPECT_NEAR(CoverageFactorForDof(0, 95.0), 1.95996, 1e-4);
    EXPECT_NEAR(CoverageFactorForDof(1000, 95.0), 1.96234, 1e-4);
    EXPECT_NEAR(CoverageFactorForDof(1001, 95.0), 1.95996, 1e-4);
    EXPECT_TRUE(std::isnan(CoverageFactorForDof(10, 100.0)));
}

// k = 2 for 95 % is the normal law's pair; with few degrees of freedom it
// covers less, and more than half a point less is marked.
TEST(CoverageAtDof, StatedFactorAgainstTheTDistribution) {
    struct Case {
        const char* what;
        double k, p;
        int nu;
        double covered, kForP;
        bool shortfall;
    } const cases[] = {
        {"k = 2 at nu 10 covers 92,7 %", 2.0, 95.0, 10, 92.6612, 2.22814, true},
        {"k = 2 at nu 60 is within half a point", 2.0, 95.0, 60, 94.997, 2.00030, false},
        {"k = 2 at infinity covers 95,45 %", 2.0, 95.0, kInfiniteDof, 95.4500, 1.95996, false},
        {"the t factor itself covers P", 2.22814, 95.0, 10, 95.0, 2.22814, false},
        {"nu 1000 still takes t", 1.95996, 95.0, 1000, 94.9716, 1.96234, false},
    };
    for (const Case& c : cases) {
        const TCoverageAtDof at = CoverageAtDof(c.k, c.p, c.nu);
        EXPECT_NEAR(at.Probability, c.covered, 0.05) << c.what;
        EXPECT_NEAR(at.FactorForP, c.kForP, 1e-3) << c.what;
        EXPECT_EQ(at.FallsShort, c.shortfall) << c.what;
    }
}

TEST(CoverageMethod, ProbabilityWithoutFactorFailsTheBudget) {
    test::TModel t;
    TGumParam& y = t.Result("Y");
    y.CoverageMethod = cm_Student;
    y.CoverageProbability = 100.0;
    y.CoverageFactor = 2.0;
    t.TypeB("A", 1.0, 0.5);
    t.Equation({"Y = A"});
    const TBudget& b = t.Run("Y");
    EXPECT_EQ(b.ErrorCode, CalculationFailed);
    EXPECT_FALSE(b.ErrorMessage.empty());
    EXPECT_EQ(y.CoverageFactor, 2.0);  // nothing non-finite is written back
}

TEST(Cp1251Text, CyrillicAndQuotes) {
    EXPECT_EQ(Cp1251FromUtf8("Аа Яя Ёё „x“ ±"), "\xC0\xE0 \xDF\xFF \xA8\xB8 \x84x\x93 \xB1");
    EXPECT_EQ(Cp1251FromUtf8("日"), "?");
    EXPECT_EQ(Cp1251FromUtf8("\xD0"), "?");  // cut sequence
}

}  // namespace
}  // namespace vormid
