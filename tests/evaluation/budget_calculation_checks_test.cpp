// Inputs no budget can be calculated from fail the budgets that use them,
// with a message naming the quantity; a budget that does not use them is
// still calculated.
#include "evaluation/BudgetCalculationChecks.h"

#include <gtest/gtest.h>

#include <functional>

#include "ModelBuilder.h"
#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

using test::TModel;

bool Contains(const std::string& text, const char* utf8) {
    return text.find(Cp1251FromUtf8(utf8)) != std::string::npos;
}

// Y = A + B and Z = C; each row spoils the model and names what the message
// of Y's budget must contain.
struct Spoilt {
    const char* name;
    std::function<void(TModel&)> spoil;
    const char* field;
    std::vector<const char*> said;
};

// An indirect Type A series of three measurements over two schema lines.
void IndirectTypeA(TGumParam& a, const char* formula) {
    a.SetKind(TParamKind::TypeA);
    a.SetAMethod(am_Indirect);
    a.InsertSchemaLine(0, "first");
    a.InsertSchemaLine(1, "second");
    a.SetObservationCount(3);
    for (int i = 0; i < 6; ++i) a.SetObservation(i, 1.0 + i * (i % 2));
    a.SetSchemaFormula(formula);
}

TEST(BudgetCalculationChecks, ImpossibleInputsFailTheBudgetsThatUseThem) {
    const Spoilt rows[] = {
        {"coefficient above one", [](TModel& t) { t.Correlate("A", "B", 1.5); }, "coefficient", {"„A“", "„B“", "1,5"}},
        {"coefficient below minus one", [](TModel& t) { t.Correlate("B", "A", -1.01); }, "coefficient", {"-1,01"}},
        {"self correlation", [](TModel& t) { t.Correlate("A", "A", 0.5); }, "name2", {"„A“", "сама"}},
        {"pair twice in either order",
         [](TModel& t) {
             t.Correlate("A", "B", 0.2);
             t.Correlate("B", "A", 0.3);
         },
         "name1",
         {"„A“", "„B“", "два пъти", "1 и 2"}},
        {"negative standard uncertainty",
         [](TModel& t) { t.M.Params.FindByName("A")->StatedValue = -0.1; },
         "stated_value",
         {"„A“", "-0,1", "стандартната"}},
        {"negative bound",
         [](TModel& t) {
             TGumParam& b = *t.M.Params.FindByName("B");
             b.BEvalType = 2;
             b.StatedValue = -0.5;
         },
         "stated_value",
         {"„B“", "границата"}},
        {"zero coverage factor",
         [](TModel& t) {
             TGumParam& a = *t.M.Params.FindByName("A");
             a.BEvalType = 0;
             a.CoverageFactor = 0.0;
         },
         "coverage_factor",
         {"„A“", " 0:"}},
        {"result coverage factor",
         [](TModel& t) {
             TGumParam& y = *t.M.Params.FindByName("Y");
             y.CoverageMethod = 3;
             y.CoverageFactor = -2.0;
         },
         "coverage_factor",
         {"„Y“", "-2"}},
        {"reliability above 100",
         [](TModel& t) {
             TGumParam& b = *t.M.Params.FindByName("B");
             b.BEvalType = 2;
             b.Reliability = 150;
         },
         "reliability",
         {"„B“", "150"}},
        {"two quantities of one name", [](TModel& t) { t.TypeB("A", 5.0, 0.1); }, "name", {"„A“", "две"}},
        {"Type A from one observation",
         [](TModel& t) {
             TGumParam& a = *t.M.Params.FindByName("A");
             a.SetKind(TParamKind::TypeA);
             a.SetObservationCount(1);
             a.SetObservation(0, 2.0);
         },
         "observations",
         {"„A“", "1 наблюдение"}},
        {"schema formula with an open bracket",
         [](TModel& t) { IndirectTypeA(*t.M.Params.FindByName("A"), "(A2-A1"); },
         "schema_formula",
         {"„A“", "знак 1", "скобата „(“ не е затворена"}},
        {"schema formula naming no line",
         [](TModel& t) { IndirectTypeA(*t.M.Params.FindByName("A"), "A3-A1"); },
         "schema_formula",
         {"„A“", "знак 1", "„A3“ не е ред на схемата", "от 1 до 2"}},
        {"empty schema formula",
         [](TModel& t) { IndirectTypeA(*t.M.Params.FindByName("A"), ""); },
         "schema_formula",
         {"„A“", "празна"}},
    };
    for (const Spoilt& row : rows) {
        SCOPED_TRACE(row.name);
        TModel t;
        t.Result("Y");
        t.TypeB("A", 2.0, 0.1);
        t.TypeB("B", 3.0, 0.2);
        t.Result("Z");
        t.TypeB("C", 1.0, 0.1);
        t.Equation({"Y = A + B", "Z = C"});
        row.spoil(t);

        const auto problems = CheckModelInputs(t.M.Params, t.M.Correlations);
        ASSERT_FALSE(problems.empty());
        EXPECT_FALSE(problems.front().Warning);
        EXPECT_EQ(problems.front().Field, row.field);

        const TBudget& y = t.Run("Y");
        EXPECT_NE(y.ErrorCode, NoError);
        for (const char* s : row.said) EXPECT_TRUE(Contains(y.ErrorMessage, s)) << s;
        EXPECT_EQ(t.Budget("Z").ErrorCode, NoError) << t.Budget("Z").ErrorMessage;
    }
}

TEST(BudgetCalculationChecks, SoundSchemaFormulaGivesTheRows) {
    TModel t;
    t.Result("Y");
    IndirectTypeA(t.TypeB("A", 0.0, 0.0), "A2 - A1");
    t.Equation({"Y = A"});
    EXPECT_TRUE(CheckModelInputs(t.M.Params, t.M.Correlations).empty());
    const TBudget& y = t.Run("Y");
    ASSERT_EQ(y.ErrorCode, NoError) << y.ErrorMessage;
    EXPECT_DOUBLE_EQ(y.Value, 3.0);  // rows 2 - 1, 4 - 1, 6 - 1: 1, 3, 5
}

TEST(BudgetCalculationChecks, CoefficientsNoQuantitiesCouldHaveFailTheBudget) {
    TModel t;
    t.Result("Y");
    t.TypeB("A", 1.0, 0.1);
    t.TypeB("B", 1.0, 0.1);
    t.TypeB("C", 1.0, 0.1);
    t.Equation({"Y = A + B + C"});
    t.Correlate("A", "B", 0.9);
    t.Correlate("B", "C", 0.9);
    t.Correlate("A", "C", -0.9);
    const TBudget& y = t.Run("Y");
    EXPECT_NE(y.ErrorCode, NoError);
    for (const char* name : {"A", "B", "C"}) EXPECT_NE(y.ErrorMessage.find(name), std::string::npos) << name;
}

TEST(BudgetCalculationChecks, SlipsThatStillGiveABudgetAreWarnings) {
    TModel t;
    TGumParam& y = t.Result("Y");
    y.CoverageMethod = 1;
    y.CoverageProbability = 0.95;
    t.TypeB("A", 2.0, 0.1);
    t.Correlate("A", "Q", 0.5);
    t.Equation({"Y = A"});
    const auto problems = CheckModelInputs(t.M.Params, t.M.Correlations);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_TRUE(problems[0].Warning);
    EXPECT_TRUE(Contains(problems[0].Message, "0,95 % — в проценти ли е?"));
    EXPECT_TRUE(problems[1].Warning);
    EXPECT_EQ(problems[1].Field, "name2");
    EXPECT_TRUE(Contains(problems[1].Message, "„Q“"));
    EXPECT_EQ(t.Run("Y").ErrorCode, NoError);
}

}  // namespace
}  // namespace vormid
