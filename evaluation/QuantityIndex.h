#pragma once
// Name look-ups of one calculation. The equation of a large model names
// thousands of quantities, and a linear search per name would make the
// calculation quadratic; these indexes are built once per run.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Budget.h"
#include "core/GumParam.h"

namespace vormid {

struct TTransparentHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

template <class T>
using TNameMap = std::unordered_map<std::string, T, TTransparentHash, std::equal_to<>>;

// The quantities by exact name; the first of equal names wins, as with
// TGumParams::FindByName.
class TQuantityIndex {
public:
    explicit TQuantityIndex(const TGumParams& params);
    // The quantity of this name, or nullptr.
    TGumParam* Find(std::string_view name) const;

private:
    TNameMap<TGumParam*> ByName_;
};

// The entries of one budget by name, filled by registering the quantities
// that a text names.
class TBudgetEntryIndex {
public:
    // Knows the entries budget already has.
    TBudgetEntryIndex(TBudget& budget, const TQuantityIndex& quantities);
    // Creates an entry for every quantity of names (an intermediate result,
    // a Type A or Type B input or a constant) that has none yet, in order.
    void Register(const std::vector<std::string>& names);
    // The entry of this name, or nullptr.
    TBudgetEntry* Find(std::string_view name) const;

private:
    TBudget& Budget_;
    const TQuantityIndex& Quantities_;
    TNameMap<TBudgetEntry*> ByName_;
};

}  // namespace vormid
