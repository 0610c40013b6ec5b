// TBudget's entry list and THelpTable's compiled equation.
#include "core/Budget.h"

namespace vormid {

TBudgetEntry* TBudget::FindEntry(const std::string& name, bool findOnly) {
    for (const auto& e : Entries_)
        if (e->Name == name) return e.get();
    return findOnly ? nullptr : AddEntry(name);
}

TBudgetEntry* TBudget::GetEntry(int index) const {
    if (index < 0 || index >= EntryCount()) return nullptr;
    return Entries_[static_cast<std::size_t>(index)].get();
}

TBudgetEntry* TBudget::AddEntry(const std::string& name) {
    auto entry = std::make_unique<TBudgetEntry>();
    entry->Name = name;
    Entries_.push_back(std::move(entry));
    return Entries_.back().get();
}

bool THelpTable::SetEquation(const std::string& text) {
    if (text != SubstitutedEquation) {
        SubstitutedEquation = text;
        Compiled_ = Formula.Compile(text);
    }
    return Compiled_;
}

}  // namespace vormid
