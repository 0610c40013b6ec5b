#pragma once
// A model that uses every kind of quantity and every conditional branch of
// the quantity records, with comments, correlations, budgets and display
// settings; shared by the round-trip tests and the fuzz seed generator.
#include <string>

#include "core/GumModel.h"
#include "core/DisplayState.h"

namespace vormid::test {

inline TGumParam& AddQuantity(TGumModel& m, const std::string& name, TParamKind kind) {
    TGumParam& q = *m.Params.Add();
    q.Name = name;
    q.SetKind(kind);
    q.Description = "description of " + name;
    q.Units = "m\\tn2\\n";
    return q;
}

inline void FillSampleModel(TGumModel& m, TDisplayState& d) {
    m.ModelName = "\xCC\xEE\xE4\xE5\xEB";  // "Модел" in CP1251
    m.EvalMethod = em_MonteCarlo;
    m.Description = "{\\rtf1 description}";
    m.Equation = "{\\rtf1 Y = A1 + A2 + A3 + B0 + C}";

    TGumParam& y = AddQuantity(m, "Y", TParamKind::Result);
    y.ResultFormat = 2;
    y.CoverageMethod = 2;
    y.CoverageFactor = 2.5;
    y.CoverageProbability = 99.0;
    y.SignificantDigits = 4;
    y.ValueFormat = "0.0000";
    y.ValueExpFormat = false;
    y.UncertaintyFormat = "0.00";
    y.UncertaintyExpFormat = true;
    y.BudgetComment = "{\\rtf1 budget comment}";
    y.Comment = "{\\rtf1 result comment}";

    AddQuantity(m, "Z", TParamKind::VarResult);
    AddQuantity(m, "U", TParamKind::Undefined);

    // Type A direct, single values, from the observations.
    TGumParam& a1 = AddQuantity(m, "A1", TParamKind::TypeA);
    a1.SetAMethod(am_Direct);
    a1.SetObservationCount(5);
    a1.AUncertaintySource = 0;
    a1.ASUType = 1;
    a1.SetDecimals(4);
    a1.AEvalType = 1;
    a1.StatedValue = 0.25;
    a1.StatedValueText = "0,25";
    a1.SetDegreesOfFreedom(4);
    for (int i = 0; i < 5; ++i) a1.SetObservation(i, 10.0 + 0.01 * i);

    // Type A direct, grouped values, entered expanded uncertainty.
    TGumParam& a2 = AddQuantity(m, "A2", TParamKind::TypeA);
    a2.SetObservationCount(3);
    a2.SetAValueType(av_Grouped);
    a2.AUncertaintySource = 1;
    a2.AEvalType = 0;
    a2.StatedValue = 0.5;
    a2.StatedValueText = "0.5";
    a2.CoverageProbability = 95.45;
    a2.CoverageFactor = 2.0;
    a2.InPercent = true;
    a2.SetDegreesOfFreedom(1000);
    a2.SetObservation(0, 1.0);
    a2.SetObservation(1, 2.0);
    a2.SetObservation(2, 3.0);
    a2.SetRowValue(0, 3.0);
    a2.SetRowValue(1, 2.0);
    a2.SetRowValue(2, 1.0);
    a2.Comment = "{\\rtf1 grouped}";

    // Type A indirect through a schema.
    TGumParam& a3 = AddQuantity(m, "A3", TParamKind::TypeA);
    a3.SetAMethod(am_Indirect);
    a3.SetObservationCount(4);
    a3.SetSchemaColumns({"x1", "x2"});
    a3.SetSchemaFormula("x1*x2");
    a3.AUncertaintySource = 1;
    a3.AEvalType = 2;
    a3.StatedValue = 0.1;
    a3.StatedValueText = "0,1";
    for (int i = 0; i < 8; ++i) a3.SetObservation(i, 1.0 + i);

    // Type B: every evaluation kind, and every distribution of the interval.
    const char* names[] = {"B0", "B1", "B2"};
    for (std::uint8_t t = 0; t < 3; ++t) {
        TGumParam& b = AddQuantity(m, names[t], TParamKind::TypeB);
        b.BEvalType = t;
        b.BValue = 5.0 + t;
        b.BValueText = "5";
        b.StatedValue = 0.2 + t;
        b.StatedValueText = "0,2";
        b.CoverageProbability = 95.0;
        b.CoverageFactor = 1.96;
        b.InPercent = t == 1;
        b.SetDegreesOfFreedom(50);
        b.Reliability = 10;
    }
    for (int dist = 0; dist < kDistributionCount; ++dist) {
        TGumParam& b = AddQuantity(m, "D" + std::to_string(dist), TParamKind::TypeB);
        b.BEvalType = 3;
        b.Distribution = static_cast<TDistribution>(dist);
        b.BValue = 100.0 + dist;
        b.BValueText = std::to_string(100 + dist);
        b.StatedValue = 1.0 + 0.1 * dist;
        b.StatedValueText = "1,x";
        b.CoverageProbability = 90.0;
        b.LimitSide = ll_Top;
        b.BParam2 = 0.3;
        b.BParam2Text = "0,3";
        b.SetDegreesOfFreedom(12);
        b.Reliability = 25;
    }

    TGumParam& c = AddQuantity(m, "C", TParamKind::Const);
    c.ConstValue = 3.14159;
    c.ConstValueText = "3,14159";

    m.Correlations.AddPair("A1", "B0");
    m.Correlations.SetCoefficient(0, 0.5);
    m.Correlations.AddPair("B1", "B2");
    m.Correlations.SetCoefficient(1, -0.25);

    auto& budget = *m.Budgets.emplace_back(std::make_unique<TBudget>());
    budget.Name = "Y";
    budget.Units = "m";
    budget.Value = 12.5;
    budget.CombinedUncertainty = 0.3;
    budget.RelativeUncertainty = 2.4;
    budget.EffectiveDOF = kInfiniteDof;
    budget.ResultValue = 12.5;
    budget.ExpandedUncertainty = 0.6;
    budget.CoverageFactor = 2.0;
    budget.CoverageProbability = 95.0;
    for (const char* n : {"A1", "B0"}) {
        TBudgetEntry& e = *budget.AddEntry(n);
        e.Units = "m";
        e.Value = 1.5;
        e.StdUncertainty = 0.1;
        e.RelUncertainty = 6.7;
        e.Distribution = dc_Triangle;
        e.DegreesOfFreedom = 7;
        e.Sensitivity = 1.0;
        e.Contribution = 0.1;
        e.Ratio = 0.33;
        e.Index = n[0] == 'A' ? 10.9 : 89.1;
        budget.MaxContribution = 0.1;
        budget.MaxIndex = std::max(budget.MaxIndex, e.Index);
    }

    m.FormatSettings.LowExponent = 4;
    m.FormatSettings.HighExponent = 5;
    m.FormatSettings.LowThreshold = 1e-4;
    m.FormatSettings.HighThreshold = 100000;
    m.FormatSettings.DefaultSignificantDigits = 2;
    m.FormatSettings.ExponentMarker = "E";
    m.FormatSettings.DefaultValueFormat = "0.00";
    m.FormatSettings.DefaultValueExp = false;
    m.FormatSettings.DefaultUncertaintyFormat = "0.0";
    m.FormatSettings.DefaultUncertaintyExp = false;

    for (int i = 0; i < kBudgetColumnCount; ++i) {
        d.Columns[static_cast<std::size_t>(i)] = {50 + i, 70 + i, i % 3 == 0};
    }
    d.ShowVarResults = false;
    d.ShowConstants = true;
    d.ColumnWidthMode = cw_ByData;
    d.EquationPanelHeight = 210;
    d.BudgetCommentPanelHeight = 95;
    d.ChartShowsContribution = false;
}

}  // namespace vormid::test
