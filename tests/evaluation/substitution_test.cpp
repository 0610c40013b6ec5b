#include "evaluation/Substitution.h"

#include <gtest/gtest.h>

#include <ostream>

#include "ModelBuilder.h"
#include "evaluation/BudgetCalculation.h"

namespace vormid {
namespace {

struct SubstitutionCase {
    const char* what;
    std::vector<const char*> lines;
    const char* expected;
};

void PrintTo(const SubstitutionCase& c, std::ostream* os) { *os << c.what; }

class ResultEquations : public testing::TestWithParam<SubstitutionCase> {};

TEST_P(ResultEquations, SubstituteIntermediateResults) {
    const SubstitutionCase& c = GetParam();
    test::TModel t;
    const TGumParam& y = t.Result("Y");
    t.Equation(c.lines);
    TBudgetCalculator calc(t.M.Params, t.M.Correlations, t.M.Equation);
    EXPECT_EQ(calc.ResultEquation(y, nullptr), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ResultEquations,
    testing::Values(
        SubstitutionCase{"defined below its use", {"Y = X", "X = A+B"}, "(A+B)"},
        SubstitutionCase{"defined above its use", {"X = A+B", "Y = X"}, "(A+B)"},
        SubstitutionCase{"chain below", {"Y = X", "X = Z+1", "Z = A"}, "((A)+1)"},
        SubstitutionCase{"chain above gives the same text", {"Z = A", "X = Z+1", "Y = X"}, "((A)+1)"},
        SubstitutionCase{"a name brought in after its line is substituted too",
                         {"Y = X*Z", "X = A+B", "Z = X-C"},
                         "(A+B)*((A+B)-C)"},
        SubstitutionCase{"every occurrence", {"Y = X*X+X", "X = A-B"}, "(A-B)*(A-B)+(A-B)"},
        SubstitutionCase{"function names and numbers are kept", {"Y = SIN(X)*2,5", "X = A"}, "SIN((A))*2,5"},
        SubstitutionCase{"a line for a function name substitutes nothing", {"Y = sin(A)", "SIN = 3"}, "sin(A)"},
        SubstitutionCase{"an unknown token is kept", {"Y = A*Q"}, "A*Q"},
        SubstitutionCase{
            "names with subscripts", {"Y = U\\sub 1\\nosupersub *2", "U\\sub 1\\nosupersub  = A"}, "(A)*2"},
        SubstitutionCase{"only whole tokens", {"Y = XX+X", "X = A"}, "XX+(A)"},
        SubstitutionCase{"names are compared exactly", {"Y = x+X", "X = A"}, "x+(A)"},
        SubstitutionCase{"the later line of a result wins", {"Y = A", "Y = B"}, "B"},
        SubstitutionCase{"no line of its own", {"X = A"}, ""},
        SubstitutionCase{"empty right side", {"Y =", "X = A"}, ""}));

TEST(ResultEquation, RegistersEntriesInOrderOfSubstitution) {
    test::TModel t;
    const TGumParam& y = t.Result("Y");
    t.Var("X");
    t.TypeB("A", 1.0, 0.1);
    t.TypeA("B", 1.0, 0.1, 4).Units = "g";
    t.Const("C", 2.0, "mm");
    t.Result("R");                 // results get no entry
    t.M.Params.Add()->Name = "U";  // nor do undefined quantities
    t.Equation({"Y = X*C+R+U+Q", "X = A+B+A"});
    TBudgetCalculator calc(t.M.Params, t.M.Correlations, t.M.Equation);
    TBudget b;
    EXPECT_EQ(calc.ResultEquation(y, &b), "(A+B+A)*C+R+U+Q");
    ASSERT_EQ(b.EntryCount(), 4);
    EXPECT_EQ(b.GetEntry(0)->Name, "X");
    EXPECT_EQ(b.GetEntry(1)->Name, "C");
    EXPECT_EQ(b.GetEntry(2)->Name, "A");
    EXPECT_EQ(b.GetEntry(3)->Name, "B");
    EXPECT_EQ(b.GetEntry(1)->Units, "mm");
    EXPECT_DOUBLE_EQ(b.GetEntry(1)->Value, 2.0);
    EXPECT_DOUBLE_EQ(b.GetEntry(3)->StdUncertainty, 0.1);
    EXPECT_EQ(b.GetEntry(3)->DegreesOfFreedom, 4);
    EXPECT_EQ(b.GetEntry(3)->Distribution, dc_Normal);
}

TEST(ResultEquation, KeepsTheEntriesABudgetAlreadyHas) {
    test::TModel t;
    const TGumParam& y = t.Result("Y");
    t.TypeB("A", 1.0, 0.1);
    t.Equation({"Y = A*A"});
    TBudgetCalculator calc(t.M.Params, t.M.Correlations, t.M.Equation);
    TBudget b;
    b.FindEntry("A", false)->Sensitivity = 7.0;
    calc.ResultEquation(y, &b);
    ASSERT_EQ(b.EntryCount(), 1);
    EXPECT_EQ(b.GetEntry(0)->Sensitivity, 7.0);
}

TEST(ResultEquation, CycleIsRefusedNamingItsQuantities) {
    test::TModel t;
    const TGumParam& y = t.Result("Y");
    t.Equation({"Y = X+A", "X = V+1", "V = X+1"});
    TBudgetCalculator calc(t.M.Params, t.M.Correlations, t.M.Equation);
    try {
        calc.ResultEquation(y, nullptr);
        FAIL() << "no error";
    } catch (const TCalculationError& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("X"), std::string::npos);
        EXPECT_NE(m.find("V"), std::string::npos);
    }
}

TEST(ResultEquation, ACycleElsewhereDoesNotConcernThisResult) {
    test::TModel t;
    const TGumParam& y = t.Result("Y");
    t.Equation({"Y = X+A", "X = B", "V = W+1", "W = V+1"});
    TBudgetCalculator calc(t.M.Params, t.M.Correlations, t.M.Equation);
    EXPECT_EQ(calc.ResultEquation(y, nullptr), "(B)+A");
}

TEST(ResultEquation, DoublingAtEveryLevelIsRefusedBeforeMemoryRunsOut) {
    test::TModel t;
    const TGumParam& y = t.Result("Y");
    std::vector<std::string> lines{"Y = X40"};
    for (int i = 40; i > 0; --i)
        lines.push_back("X" + std::to_string(i) + " = X" + std::to_string(i - 1) + "+X" + std::to_string(i - 1));
    std::string rtf = test::kRtfHeader;
    for (const auto& l : lines) rtf += l + "\\par ";
    TBudgetCalculator calc(t.M.Params, t.M.Correlations, rtf + "}");
    EXPECT_THROW(calc.ResultEquation(y, nullptr), TCalculationError);
}

}  // namespace
}  // namespace vormid
