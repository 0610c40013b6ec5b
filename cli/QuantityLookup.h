#pragma once
// Name -> quantity for output that looks up every budget entry: the list's
// own FindByName is a linear search, which a 1000-input budget would make
// quadratic. Same answer as FindByName: the first quantity of that name.
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/GumParam.h"

namespace vormid::cli {

class QuantityLookup {
public:
    explicit QuantityLookup(const TGumParams& params) {
        byName_.reserve(static_cast<std::size_t>(params.Count()));
        for (const auto& p : params) byName_.emplace(p->Name, p.get());  // emplace keeps the first
    }
    // The first quantity named name, or nullptr.
    const TGumParam* Find(const std::string& name) const {
        const auto it = byName_.find(name);
        return it == byName_.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<std::string, const TGumParam*> byName_;
};

}  // namespace vormid::cli
