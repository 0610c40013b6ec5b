// Export and import of the whole model: what goes out comes back, and a bad
// document is refused with the name of the field.
#include "cli/ModelJson.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "cli/OutputJson.h"

namespace vormid::cli {
namespace {

std::string ExportText(const TGumModel& m, const TDisplayState& d) {
    std::ostringstream out;
    JsonStream json(out);
    WriteModelJson(m, d, json);
    json.Finish();
    return out.str();
}

Json Exported(const TGumModel& m, const TDisplayState& d) { return Json::parse(ExportText(m, d)); }

// A model with every kind of quantity and every conditional branch that the
// file stores.
void BuildRichModel(TGumModel& m) {
    m.ModelName = "\xCC\xEE\xE4\xE5\xEB";  // "Модел"
    m.EvalMethod = em_MonteCarlo;
    m.Description = "{\\rtf1\\ansi x\x98y}";  // a byte the code page lacks
    m.Equation = "{\\rtf1 Y = A*B + K\\par}";
    m.FormatSettings.ExponentMarker = "E";
    m.FormatSettings.DefaultSignificantDigits = 4;

    TGumParam& y = *m.Params.Add();
    y.Name = "Y";
    y.SetKind(TParamKind::Result);
    y.ResultFormat = 2;
    y.CoverageMethod = 2;
    y.ValueFormat = "0.######";
    y.BudgetComment = "{\\rtf1 note}";

    TGumParam& a = *m.Params.Add();
    a.Name = "A\\bx\\n";
    a.Units = "\xEC\xEC";
    a.SetKind(TParamKind::TypeA);
    a.SetObservationCount(3);
    a.SetObservation(0, 1.5);
    a.SetObservation(1, 1.25);
    a.SetObservation(2, -0.0);
    a.Comment = std::string("bin\0ary", 7);

    TGumParam& g = *m.Params.Add();
    g.Name = "G";
    g.SetKind(TParamKind::TypeA);
    g.SetAValueType(av_Grouped);
    g.SetObservationCount(2);
    g.SetObservation(0, 1.0);
    g.SetObservation(1, 2.0);
    g.SetRowValue(0, 3);
    g.SetRowValue(1, 2);
    g.AUncertaintySource = 1;
    g.AEvalType = 0;
    g.CoverageFactor = 2.5;

    TGumParam& s = *m.Params.Add();
    s.Name = "S";
    s.SetKind(TParamKind::TypeA);
    s.SetAMethod(am_Indirect);
    s.SetObservationCount(2);
    s.SetSchemaColumns({"x1", "x2"});
    s.SetSchemaFormula("x1-x2");
    for (int i = 0; i < 4; ++i) s.SetObservation(i, 10.0 + i * i);

    const std::uint8_t dists[] = {dc_Normal, dc_LgNormal, dc_DistributonT, dc_Rectangle, dc_Trapez};
    for (int type = 0; type < 3; ++type) {
        TGumParam& b = *m.Params.Add();
        b.Name = "B" + std::to_string(type);
        b.SetKind(TParamKind::TypeB);
        b.BEvalType = static_cast<std::uint8_t>(type);
        b.BValue = 3.0 + type;
        b.BValueText = "3,0";
        b.StatedValue = 0.1;
        b.Reliability = 10;
    }
    for (std::uint8_t d : dists) {
        TGumParam& b = *m.Params.Add();
        b.Name = "D" + std::to_string(d);
        b.SetKind(TParamKind::TypeB);
        b.BEvalType = 3;
        b.Distribution = static_cast<TDistribution>(d);
        b.BParam2 = 0.25;
        b.LimitSide = ll_Top;
        b.SetDegreesOfFreedom(7);
    }
    TGumParam& k = *m.Params.Add();
    k.Name = "K";
    k.SetKind(TParamKind::Const);
    k.ConstValue = 1e-300;
    k.ConstValueText = "1e-300";

    TGumParam& v = *m.Params.Add();
    v.Name = "V";
    v.SetKind(TParamKind::VarResult);

    m.Correlations.AddPair("A\\bx\\n", "G");
    m.Correlations.SetCoefficient(0, -0.35);

    auto budget = std::make_unique<TBudget>();
    budget->Name = "Y";
    budget->Value = 6.5;
    budget->EffectiveDOF = -1;
    TBudgetEntry* e = budget->AddEntry("A\\bx\\n");
    e->Distribution = dc_Trapez;
    e->DegreesOfFreedom = 2;
    e->Index = 12.5;
    m.Budgets.push_back(std::move(budget));
}

TEST(ModelJson, ExportImportExportIsTheSameDocument) {
    TGumModel m;
    TDisplayState d;
    BuildRichModel(m);
    d.Columns[4].Hidden = true;
    d.ColumnWidthMode = 1;
    const Json first = Exported(m, d);

    TGumModel back;
    TDisplayState back_d;
    ModelFromJson(Json::parse(first.dump()), back, back_d);
    const Json second = Exported(back, back_d);
    EXPECT_EQ(first.dump(1), second.dump(1));

    EXPECT_EQ(back.Description, m.Description);
    EXPECT_EQ(back.Params.Get(1)->Comment, m.Params.Get(1)->Comment);
    EXPECT_TRUE(first["description"].is_object());  // kept as base64
    EXPECT_EQ(first["quantities"][0]["kind"], "Result");
    EXPECT_EQ(first["quantities"][0]["budget_comment"], "{\\rtf1 note}");
}

// Export streams its text; it must stay the text that the whole document's
// dump gave, numbers at the switch between fixed and exponent form included.
TEST(ModelJson, StreamedExportIsTheDocumentsDump) {
    TGumModel m;
    TDisplayState d;
    BuildRichModel(m);
    const std::vector<double> edges = {1e14,      1e15,    1e16,   123456789012345678.0,   100.0, 1e-4,   1e-5,
                                       0.0001234, 1.0 / 3, 5e-324, 1.7976931348623157e308, -0.0,  -2.5e-7};
    TGumParam& a = *m.Params.Get(1);
    a.SetObservationCount(static_cast<int>(edges.size()));
    for (std::size_t i = 0; i < edges.size(); ++i) a.SetObservation(static_cast<int>(i), edges[i]);
    m.Params.FindByName("K")->ConstValue = std::numeric_limits<double>::quiet_NaN();
    const std::string text = ExportText(m, d);
    std::ostringstream dumped;
    WriteJson(Json::parse(text), dumped);
    EXPECT_EQ(text, dumped.str());
    EXPECT_NE(text.find(" 100000000000000.0,"), std::string::npos);  // not 1e+14
    EXPECT_NE(text.find(" 100.0,"), std::string::npos);
    EXPECT_NE(text.find("\"f64_bits\": \"7ff8"), std::string::npos);
}

TEST(ModelJson, ObservationCountFollowsFromTheObservations) {
    const Json doc = Json::parse(R"({"quantities": [
        {"name": "X", "kind": "TypeA", "observations": [1, 2, 3, 4]},
        {"name": "Z", "kind": "TypeA", "method": "indirect", "schema_columns": ["x1", "x2"],
         "schema_formula": "x1*x2", "observations": [1, 2, 3, 4, 5, 6]}]})");
    TGumModel m;
    TDisplayState d;
    ModelFromJson(doc, m, d);
    EXPECT_EQ(m.Params.Get(0)->ObservationCount, 4);
    EXPECT_DOUBLE_EQ(m.Params.Get(0)->Value(), 2.5);
    EXPECT_EQ(m.Params.Get(1)->ObservationCount, 3);
    EXPECT_DOUBLE_EQ(m.Params.Get(1)->GetRowValue(2), 30.0);  // the schema was evaluated
}

TEST(ModelJson, BadDocumentsNameTheField) {
    struct Case {
        const char* doc;
        const char* path;
    } cases[] = {
        {R"([1, 2])", "(документ)"},
        {R"({"format": "other"})", "format"},
        {R"({"version": 2})", "version"},
        {R"({"modelname": "x"})", "modelname"},
        {R"({"quantities": {}})", "quantities"},
        {R"({"quantities": [{"kind": "TypeB"}]})", "quantities[0].name"},
        {R"({"quantities": [{"name": "X"}]})", "quantities[0].kind"},
        {R"({"quantities": [{"name": "X", "kind": "TypeC"}]})", "quantities[0].kind"},
        {R"({"quantities": [{"name": "X", "kind": "Const", "value": "1"}]})", "quantities[0].value"},
        {R"({"quantities": [{"name": "X", "kind": "Const", "valu": 1}]})", "quantities[0].valu"},
        {R"({"quantities": [{"name": "日", "kind": "Const"}]})", "quantities[0].name"},
        {R"({"quantities": [{"name": {"base64": "!!"}, "kind": "Const"}]})", "quantities[0].name.base64"},
        {R"({"quantities": [{"name": "X", "kind": "Const", "units": "mmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmm"}]})",
         "quantities[0].units"},
        {R"({"quantities": [{"name": "X", "kind": "TypeB", "eval_type": "standard", "degrees_of_freedom": 101}]})",
         "quantities[0].degrees_of_freedom"},
        {R"({"quantities": [{"name": "X", "kind": "TypeB", "eval_type": "expanded", "reliability": 5}]})",
         "quantities[0].reliability"},
        {R"({"quantities": [{"name": "X", "kind": "TypeA", "observation_count": 3, "observations": [1, 2]}]})",
         "quantities[0].observations"},
        {R"({"quantities": [{"name": "X", "kind": "TypeA", "observation_count": 0}]})",
         "quantities[0].observation_count"},
        {R"({"quantities": [{"name": "X", "kind": "TypeA", "observations": [1, "a"]}]})",
         "quantities[0].observations[1]"},
        {R"({"quantities": [{"name": "X", "kind": "TypeA", "method": "indirect", "schema_columns": ["x1", "x2"], "observations": [1, 2, 3]}]})",
         "quantities[0].observations"},
        {R"({"correlations": [{"name1": "A", "name2": "B"}]})", "correlations[0].coefficient"},
        {R"({"correlations": [{"name1": "A", "coefficient": 0.5}]})", "correlations[0].name2"},
        {R"({"budgets": [{"name": "Y", "entries": [{"name": "A", "dof": 1.5}]}]})", "budgets[0].entries[0].dof"},
        {R"({"display": {"exponent_marker": "123456789012345678901"}})", "display.exponent_marker"},
        {R"({"display": {"budget_columns": [{}]}})", "display.budget_columns"},
        {R"({"display": {"low_threshold": {"f64_bits": "xyz"}}})", "display.low_threshold.f64_bits"},
    };
    for (const auto& c : cases) {
        TGumModel m;
        TDisplayState d;
        try {
            ModelFromJson(Json::parse(c.doc), m, d);
            ADD_FAILURE() << "accepted: " << c.doc;
        } catch (const JsonFieldError& e) {
            EXPECT_EQ(e.Path, c.path) << e.what();
        }
    }
}

}  // namespace
}  // namespace vormid::cli

namespace vormid::cli {
namespace {

TEST(ModelJson, BudgetCommentNeedsAStoredBudgetToBeKept) {
    const Json lost = Json::parse(R"({"quantities": [{"name": "Y", "kind": "Result", "budget_comment": "x"}]})");
    TGumModel m;
    TDisplayState d;
    try {
        ModelFromJson(lost, m, d);
        ADD_FAILURE() << "a comment that saving would drop was accepted";
    } catch (const JsonFieldError& e) {
        EXPECT_EQ(e.Path, "quantities[0].budget_comment");
    }
    const Json kept = Json::parse(R"({"quantities": [{"name": "Y", "kind": "Result", "budget_comment": "x"}],
                                      "budgets": [{"name": "Y"}]})");
    TGumModel m2;
    ModelFromJson(kept, m2, d);
    EXPECT_EQ(m2.Params.Get(0)->BudgetComment, "x");
}

}  // namespace
}  // namespace vormid::cli

namespace vormid::cli {
namespace {

// Inputs no budget can come from: refused at import with the field's path and
// the quantity's name; slips that still give a budget are warnings.
TEST(ModelJson, ImpossibleInputsAreRefusedNamingFieldAndQuantity) {
    const std::string head = R"({"quantities": [{"name": "Y", "kind": "Result"}, )";
    struct Case {
        const char* rest;
        const char* path;
        const char* said;
    } cases[] = {
        {R"({"name": "A", "kind": "TypeB", "value": 1, "eval_type": "standard", "stated_value": -0.2}]})",
         "quantities[1].stated_value", "„A“"},
        {R"({"name": "A", "kind": "TypeB", "value": 1, "coverage_factor": 0}]})", "quantities[1].coverage_factor",
         "„A“"},
        {R"({"name": "A", "kind": "TypeB", "eval_type": "standard", "stated_value": 0.2}]})", "quantities[1].value",
         "„A“"},
        {R"({"name": "A", "kind": "TypeB", "value": 1, "eval_type": "bound", "reliability": 101}]})",
         "quantities[1].reliability", "101"},
        {R"({"name": "A", "kind": "Const"}, {"name": "A", "kind": "Const"}]})", "quantities[2].name", "„A“"},
        {R"({"name": "A", "kind": "TypeA", "observations": [1.5]}]})", "quantities[1].observations", "„A“"},
        {R"({"name": "A", "kind": "Const"}, {"name": "B", "kind": "Const"}],
            "correlations": [{"name1": "A", "name2": "B", "coefficient": 1.2}]})",
         "correlations[0].coefficient", "1,2"},
        {R"({"name": "A", "kind": "Const"}], "correlations": [{"name1": "A", "name2": "A", "coefficient": 0.5}]})",
         "correlations[0].name2", "„A“"},
        {R"({"name": "A", "kind": "Const"}, {"name": "B", "kind": "Const"}],
            "correlations": [{"name1": "A", "name2": "B", "coefficient": 0.5},
                             {"name1": "B", "name2": "A", "coefficient": 0.1}]})",
         "correlations[1].name1", "„B“"},
    };
    for (const auto& c : cases) {
        TGumModel m;
        TDisplayState d;
        try {
            ModelFromJson(Json::parse(head + c.rest), m, d);
            ADD_FAILURE() << "accepted: " << c.rest;
        } catch (const JsonFieldError& e) {
            EXPECT_EQ(e.Path, c.path) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.said), std::string::npos) << e.what();
        }
    }

    TGumModel m;
    TDisplayState d;
    std::vector<std::string> warnings;
    ModelFromJson(Json::parse(R"({"quantities": [
        {"name": "Y", "kind": "Result", "coverage_method": 1, "coverage_probability": 0.95},
        {"name": "A", "kind": "Const"}], "correlations": [{"name1": "A", "name2": "Q", "coefficient": 0.5}]})"),
                  m, d, &warnings);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("quantities[0].coverage_probability: "), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("0,95 % — в проценти ли е?"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[1].find("correlations[0].name2: "), std::string::npos) << warnings[1];
}

}  // namespace
}  // namespace vormid::cli

#include <fstream>
#include <set>
#include <sstream>

namespace vormid::cli {
namespace {

void CollectKeys(const Json& j, std::set<std::string>& keys) {
    if (j.is_object()) {
        if (j.size() == 1 && (j.contains("base64") || j.contains("f64_bits"))) return;
        for (auto it = j.begin(); it != j.end(); ++it) {
            keys.insert(it.key());
            CollectKeys(it.value(), keys);
        }
    } else if (j.is_array()) {
        for (const auto& e : j) CollectKeys(e, keys);
    }
}

// The documentation of the document is checked against what export writes,
// so that it cannot drift from the code.
TEST(ModelJson, DocumentedFields) {
    TGumModel m;
    TDisplayState d;
    BuildRichModel(m);
    std::set<std::string> keys;
    CollectKeys(Exported(m, d), keys);
    std::ifstream in(VORMID_DOCS_DIR "/model-json.md");
    ASSERT_TRUE(in) << "docs/model-json.md";
    std::stringstream doc;
    doc << in.rdbuf();
    for (const std::string& k : keys) EXPECT_NE(doc.str().find("`" + k + "`"), std::string::npos) << k;
    EXPECT_GT(keys.size(), 60u);
}

}  // namespace
}  // namespace vormid::cli
