// Section 4 of a model file: the stored budgets with their lines and the
// budget comments of their result quantities.
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

#include "persistence/ModelSections.h"

namespace vormid {
namespace {

constexpr std::size_t kBudgetHead = 2 * kText101.Width + 3 * 8 + 4 + 5 * 8 + 4;
constexpr std::size_t kBudgetLine = 2 * kText101.Width + 3 * 8 + 4 + 4 + 4 * 8;

// A budget's head and each of its lines in file order; Io is the reader,
// or the writer with the budget const.
template <typename Io, typename Budget>
void HeadFields(Io& io, Budget& b) {
    io.Text(b.Name, kText101);
    io.Text(b.Units, kText101);
    io.F64(b.Value);
    io.F64(b.CombinedUncertainty);
    io.F64(b.RelativeUncertainty);
    io.I32(b.EffectiveDOF);
    io.F64(b.ResultValue);
    io.F64(b.ExpandedUncertainty);
    io.F64(b.CoverageFactor);
    io.F64(b.CoverageProbability);
    io.F64(b.MaxContribution);
}

template <typename Io, typename Entry>
void LineFields(Io& io, Entry& e) {
    io.Text(e.Name, kText101);
    io.Text(e.Units, kText101);
    io.F64(e.Value);
    io.F64(e.StdUncertainty);
    io.F64(e.RelUncertainty);
    if constexpr (std::is_const_v<Entry>)
        io.U32(e.Distribution);
    else
        e.Distribution = static_cast<TDistribution>(io.U32() & 0xFF);
    io.I32(e.DegreesOfFreedom);
    io.F64(e.Sensitivity);
    io.F64(e.Contribution);
    io.F64(e.Ratio);
    io.F64(e.Index);
}

}  // namespace

void WriteBudgetsSection(const TGumModel& model, TSectionWriter& out) {
    out.I32(static_cast<std::int32_t>(model.Budgets.size()));
    for (const auto& b : model.Budgets) {
        HeadFields(out, std::as_const(*b));
        out.I32(b->EntryCount());
        for (const auto& e : *b) LineFields(out, std::as_const(*e));
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
        HeadFields(in, b);
        // The count leaves room for every line, so none is cut short.
        const std::int32_t lines = in.Count(kBudgetLine);
        for (std::int32_t l = 0; l < lines; ++l) {
            TBudgetEntry& e = *b.AddEntry(std::string());
            LineFields(in, e);
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
