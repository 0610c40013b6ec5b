#include "evaluation/QuantityIndex.h"

namespace vormid {

TQuantityIndex::TQuantityIndex(const TGumParams& params) {
    ByName_.reserve(static_cast<std::size_t>(params.Count()));
    for (const auto& p : params) ByName_.emplace(p->Name, p.get());
}

TGumParam* TQuantityIndex::Find(std::string_view name) const {
    auto it = ByName_.find(name);
    return it == ByName_.end() ? nullptr : it->second;
}

TBudgetEntryIndex::TBudgetEntryIndex(TBudget& budget, const TQuantityIndex& quantities)
    : Budget_(budget), Quantities_(quantities) {
    for (const auto& e : budget) ByName_.emplace(e->Name, e.get());
}

void TBudgetEntryIndex::Register(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (ByName_.find(name) != ByName_.end()) continue;
        const TGumParam* q = Quantities_.Find(name);
        if (q == nullptr) continue;
        const TParamKind kind = q->Kind;
        // Results and undefined quantities get no entry.
        if (!IsInputKind(kind) && kind != TParamKind::VarResult && kind != TParamKind::Const) continue;
        // Not in the index means not in the budget: no search needed.
        TBudgetEntry* e = Budget_.AddEntry(q->Name);
        ByName_.emplace(q->Name, e);
        if (kind == TParamKind::VarResult) continue;  // its figures come from its own calculation
        // The estimate and units of an input are kept too, so that a budget
        // read on its own (a saved one, the command-line tool) states x_i
        // like the constants do.
        e->Units = q->Units;
        e->Value = q->Value();
        if (!IsInputKind(kind)) continue;
        e->StdUncertainty = q->StdUncertainty();
        e->RelUncertainty = q->RelativeUncertainty();
        e->Distribution = q->EffectiveDistribution();
        e->DegreesOfFreedom = q->DOF();
    }
}

TBudgetEntry* TBudgetEntryIndex::Find(std::string_view name) const {
    auto it = ByName_.find(name);
    return it == ByName_.end() ? nullptr : it->second;
}

}  // namespace vormid
