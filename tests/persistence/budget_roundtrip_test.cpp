// A saved and reopened model computes the same budgets as before saving.
#include <gtest/gtest.h>

#include "evaluation/BudgetCalculation.h"
#include "persistence/ModelIO.h"
#include "tests/persistence/SampleModel.h"
#include "tests/persistence/TestUtil.h"

namespace vormid {
namespace {

TEST(BudgetRoundTrip, ReopenedModelComputesTheSameBudgets) {
    test::TempDir dir;
    TGumModel model;
    TDisplayState display;
    test::FillSampleModel(model, display);
    model.Equation = "Y = A1 + A2 + A3 + B0 + B1 + B2 + D3 + C";
    CalculateBudgets(model);
    ASSERT_EQ(model.Budgets.size(), 1u);
    EXPECT_EQ(model.Budgets[0]->ErrorCode, NoError) << model.Budgets[0]->ErrorMessage;
    EXPECT_GT(model.Budgets[0]->CombinedUncertainty, 0.0);
    TGumModelFile file;
    file.FileName = dir.File("b.gmf");
    SaveModel(file, model, display);

    TGumModel loaded;
    TDisplayState loadedDisplay;
    TGumModelFile reader;
    reader.FileName = file.FileName;
    LoadModel(reader, loaded, loadedDisplay);
    ASSERT_EQ(loaded.Budgets.size(), model.Budgets.size());
    CalculateBudgets(loaded);
    ASSERT_EQ(loaded.Budgets.size(), model.Budgets.size());
    for (std::size_t i = 0; i < model.Budgets.size(); ++i) {
        const TBudget& a = *model.Budgets[i];
        const TBudget& b = *loaded.Budgets[i];
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.Value, b.Value);
        EXPECT_EQ(a.CombinedUncertainty, b.CombinedUncertainty);
        EXPECT_EQ(a.EffectiveDOF, b.EffectiveDOF);
        EXPECT_EQ(a.ExpandedUncertainty, b.ExpandedUncertainty);
        EXPECT_EQ(a.CoverageFactor, b.CoverageFactor);
        ASSERT_EQ(a.EntryCount(), b.EntryCount());
        for (int e = 0; e < a.EntryCount(); ++e) {
            EXPECT_EQ(a.GetEntry(e)->Contribution, b.GetEntry(e)->Contribution);
            EXPECT_EQ(a.GetEntry(e)->DegreesOfFreedom, b.GetEntry(e)->DegreesOfFreedom);
        }
    }
}

}  // namespace
}  // namespace vormid
