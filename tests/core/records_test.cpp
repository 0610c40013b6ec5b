// Correlation pairs, budget records and the model object.
#include <gtest/gtest.h>

#include "core/Budget.h"
#include "core/Correlation.h"
#include "core/GumModel.h"

namespace vormid {
namespace {

TEST(Correlation, APairIsKeyedByItsOrderedNames) {
    TCorrelation c;
    c.AddPair("A", "B");
    c.AddPair("A", "B");
    EXPECT_EQ(c.Count(), 1);
    c.AddPair("B", "A");
    EXPECT_EQ(c.Count(), 2);
    c.AddPair("a", "B");  // names are compared byte for byte
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.IndexOf("B", "A"), 1);
    EXPECT_EQ(c.IndexOf("B", "B"), -1);
    EXPECT_EQ(c.GetCoefficient(0), 0.0);
    EXPECT_EQ(c.GetCoefficientText(0), "");
}

TEST(Correlation, AccessPastTheEndIsHarmless) {
    TCorrelation c;
    EXPECT_EQ(c.GetCoefficient(0), 0.0);
    EXPECT_EQ(c.GetName1(0), "");
    EXPECT_EQ(c.GetName2(-1), "");
    EXPECT_EQ(c.GetCoefficientText(3), "");
    EXPECT_EQ(c.Get(0), nullptr);
    c.SetName1(0, "A");
    c.SetName2(0, "B");
    c.SetCoefficient(0, 0.5);
    c.Delete(0);
    EXPECT_EQ(c.Count(), 0);
}

TEST(Correlation, APairMayNotBeEnteredTwiceInEitherOrder) {
    TCorrelation c;
    c.AddPair("A", "B");
    c.AddPair("C", "");
    EXPECT_TRUE(c.PairedElsewhere("B", "A", 1));
    EXPECT_TRUE(c.PairedElsewhere("A", "B", 1));
    EXPECT_FALSE(c.PairedElsewhere("A", "B", 0));  // the entry itself
    EXPECT_FALSE(c.PairedElsewhere("A", "C", 1));
    EXPECT_FALSE(c.PairedElsewhere("C", "", 0));  // a half-named entry pairs nothing
}

TEST(Correlation, TypedCoefficientIsIncompleteValidOrRefused) {
    using enum TCoefficientText;
    const std::pair<const char*, TCoefficientText> rows[] = {
        {"", Incomplete},   {"-", Incomplete}, {"-,", Incomplete}, {"-1,", Incomplete},
        {"0.", Incomplete}, {"-1", Valid},     {"0,25", Valid},    {"1e0", Valid},
        {"1,5", Refused},   {"2,", Refused},   {"abc", Refused},   {"0 5", Refused},
    };
    for (const auto& [text, state] : rows) EXPECT_EQ(CoefficientTextState(text), state) << text;
}

TEST(Correlation, NewRowsAreAddedUnnamedAndThenNamed) {
    TCorrelation c;
    c.AddPair("", "");
    c.AddPair("", "");  // an unnamed pair exists: nothing is added
    ASSERT_EQ(c.Count(), 1);
    c.SetName1(0, "X");
    c.SetName2(0, "Y");
    c.SetCoefficient(0, -0.25);
    c.AddPair("", "");
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.GetName1(0), "X");
    EXPECT_EQ(c.GetName2(0), "Y");
    EXPECT_EQ(c.GetCoefficient(0), -0.25);
    EXPECT_EQ(c.GetCoefficientText(0), "-0,25");
    c.Delete(0);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.GetName1(0), "");
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST(Correlation, CoefficientTextHasUpToFifteenSignificantDigits) {
    struct Case {
        double r;
        const char* text;
    };
    for (const Case& t :
         {Case{0.5, "0,5"}, Case{1, "1"}, Case{-1, "-1"}, Case{0, "0"}, Case{1.0 / 3, "0,333333333333333"},
          Case{-2.0 / 3, "-0,666666666666667"}, Case{0.123456789012345678, "0,123456789012346"}, Case{0.0001, "0,0001"},
          Case{1.5e-7, "1,5E-7"}, Case{2e20, "2E20"}}) {
        TCorrelation c;
        c.AddPair("A", "B");
        c.SetCoefficient(0, t.r);
        EXPECT_EQ(c.GetCoefficientText(0), t.text) << t.r;
        EXPECT_EQ(c.GetCoefficient(0), t.r);
    }
}

TEST(Budget, FindEntryAddsOnlyWhenAsked) {
    TBudget b;
    EXPECT_EQ(b.FindEntry("X", true), nullptr);
    EXPECT_EQ(b.EntryCount(), 0);
    TBudgetEntry* x = b.FindEntry("X", false);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Name, "X");
    EXPECT_EQ(x->Value, 0.0);
    EXPECT_EQ(x->Sensitivity, 0.0);
    EXPECT_EQ(x->Units, "");
    EXPECT_EQ(b.FindEntry("X", false), x);
    EXPECT_EQ(b.FindEntry("X", true), x);
    EXPECT_EQ(b.EntryCount(), 1);
    EXPECT_EQ(b.FindEntry("x", true), nullptr);
    EXPECT_EQ(b.GetEntry(0), x);
    EXPECT_EQ(b.GetEntry(1), nullptr);
    EXPECT_EQ(b.GetEntry(-1), nullptr);
}

TEST(Budget, AddEntryKeepsStoredLinesAsTheyWere) {
    TBudget b;
    TBudgetEntry* first = b.AddEntry("A");
    TBudgetEntry* second = b.AddEntry("A");
    EXPECT_NE(first, second);
    EXPECT_EQ(b.EntryCount(), 2);
    EXPECT_EQ(b.FindEntry("A", true), first);
}

TEST(Budget, ANewBudgetHasNoError) {
    TBudget b;
    EXPECT_EQ(b.ErrorCode, NoError);
    EXPECT_TRUE(b.ErrorMessage.empty());
}

double NoNames(void*, const std::string&) { return 0.0; }

TEST(HelpTable, SetEquationCompilesOnlyAChangedText) {
    THelpTable h;
    EXPECT_FALSE(h.Compiled());
    EXPECT_TRUE(h.SetEquation("2+3*4"));
    EXPECT_EQ(h.SubstitutedEquation, "2+3*4");
    EXPECT_DOUBLE_EQ(h.Formula.Evaluate(&NoNames, nullptr), 14.0);
    EXPECT_TRUE(h.SetEquation("2+3*4"));
    EXPECT_TRUE(h.SetEquation("(2+3)*4"));
    EXPECT_DOUBLE_EQ(h.Formula.Evaluate(&NoNames, nullptr), 20.0);
}

TEST(GumModel, NewQuantitiesCopyTheModelsSettings) {
    TGumModel m;
    m.FormatSettings.DefaultSignificantDigits = 4;
    m.FormatSettings.DefaultUncertaintyFormat = "0.0";
    TGumParam* p = m.Params.Add();
    EXPECT_EQ(p->SignificantDigits, 4);
    EXPECT_EQ(p->UncertaintyFormat, "0.0");
}

TEST(GumModel, ClearMakesANewModel) {
    TGumModel m;
    m.Params.Add()->Name = "A";
    m.Correlations.AddPair("A", "B");
    m.Budgets.push_back(std::make_unique<TBudget>());
    m.ModelName = "Mass";
    m.EvalMethod = em_MonteCarlo;
    m.Description = "{\\rtf1 d}";
    m.Equation = "{\\rtf1 Y = A}";
    m.FormatSettings.LowExponent = 3;
    m.FormatSettings.ExponentMarker = "E";
    m.Clear();
    EXPECT_EQ(m.Params.Count(), 0);
    EXPECT_EQ(m.Correlations.Count(), 0);
    EXPECT_TRUE(m.Budgets.empty());
    EXPECT_EQ(m.ModelName, "");
    EXPECT_EQ(m.EvalMethod, em_Gum);
    EXPECT_EQ(m.Description, "");
    EXPECT_EQ(m.Equation, "");
    EXPECT_EQ(m.FormatSettings.LowExponent, 6);
    EXPECT_EQ(m.FormatSettings.ExponentMarker, "x10");
    EXPECT_EQ(m.Params.Add()->SignificantDigits, 3);
}

}  // namespace
}  // namespace vormid
