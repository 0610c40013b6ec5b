// Section 4 of a model file: the stored budgets with their lines and the
// budget comments of their result quantities.
#include <algorithm>
#include <cmath>

#include "persistence/ModelSections.h"

namespace vormid {
namespace {

constexpr std::size_t kBudgetHead = 2 * kText101.Width + 3 * 8 + 4 + 5 * 8 + 4;
constexpr std::size_t kBudgetLine = 2 * kText101.Width + 3 * 8 + 4 + 4 + 4 * 8;

}  // namespace

void WriteBudgetsSection(const TGumModel& model, TSectionWriter& out) {
    out.I32(static_cast<std::int32_t>(model.Budgets.size()));
    for (const auto& b : model.Budgets) {
        out.Text101(b->Name);
        out.Text101(b->Units);
        out.F64(b->Value);
        out.F64(b->CombinedUncertainty);
        out.F64(b->RelativeUncertainty);
        out.I32(b->EffectiveDOF);
        out.F64(b->ResultValue);
        out.F64(b->ExpandedUncertainty);
        out.F64(b->CoverageFactor);
        out.F64(b->CoverageProbability);
        out.F64(b->MaxContribution);
        out.I32(b->EntryCount());
        for (const auto& e : *b) {
            out.Text101(e->Name);
            out.Text101(e->Units);
            out.F64(e->Value);
            out.F64(e->StdUncertainty);
            out.F64(e->RelUncertainty);
            out.U32(static_cast<std::uint32_t>(e->Distribution));
            out.I32(e->DegreesOfFreedom);
            out.F64(e->Sensitivity);
            out.F64(e->Contribution);
            out.F64(e->Ratio);
            out.F64(e->Index);
        }
        // A budget whose result quantity is gone keeps no comment.
        const TGumParam* result = model.Params.FindByName(b->Name);
        out.Comment(result != nullptr ? result->BudgetComment : std::string());
    }
}

void ReadBudgetsSection(TSectionReader& in, TGumModel& model) {
    if (in.AtEnd()) return;
    const std::int32_t count = in.Count(kBudgetHead);
    for (std::int32_t k = 0; k < count; ++k) {
        auto& b = *model.Budgets.emplace_back(std::make_unique<TBudget>());
        b.Name = in.Text101();
        b.Units = in.Text101();
        b.Value = in.F64();
        b.CombinedUncertainty = in.F64();
        b.RelativeUncertainty = in.F64();
        b.EffectiveDOF = in.I32();
        b.ResultValue = in.F64();
        b.ExpandedUncertainty = in.F64();
        b.CoverageFactor = in.F64();
        b.CoverageProbability = in.F64();
        b.MaxContribution = in.F64();
        const std::int32_t lines = in.Count(kBudgetLine);
        for (std::int32_t l = 0; l < lines; ++l) {
            TBudgetEntry& e = *b.AddEntry(in.Text101());
            e.Units = in.Text101();
            e.Value = in.F64();
            e.StdUncertainty = in.F64();
            e.RelUncertainty = in.F64();
            e.Distribution = static_cast<TDistribution>(in.U32() & 0xFF);
            e.DegreesOfFreedom = in.I32();
            e.Sensitivity = in.F64();
            e.Contribution = in.F64();
            e.Ratio = in.F64();
            e.Index = in.F64();
            // Not stored: the largest share follows from the lines.
            if (std::isfinite(e.Index)) b.MaxIndex = std::max(b.MaxIndex, e.Index);
        }
        // The last budget may end right after its lines.
        if (in.AtEnd()) break;
        const std::string comment = in.Comment();
        if (TGumParam* result = model.Params.FindByName(b.Name)) result->BudgetComment = comment;
    }
}

}  // namespace vormid
