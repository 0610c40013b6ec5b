#pragma once
// Helpers of the equation-language tests.
#include <map>
#include <stdexcept>
#include <string>

#include "core/Formula.h"

namespace vormid::test {

using TVars = std::map<std::string, double>;

inline double MapLookup(void* context, const std::string& name) {
    const auto& vars = *static_cast<const TVars*>(context);
    const auto it = vars.find(name);
    if (it == vars.end()) throw std::runtime_error("unknown name " + name);
    return it->second;
}

struct TResult {
    bool Compiled;
    double Value;
    int Error;
};

inline TResult Calc(const std::string& text, TVars vars = {}) {
    TFormul f;
    TResult r{f.Compile(text), 0.0, -1};
    if (!r.Compiled) return r;
    r.Value = f.Evaluate(&MapLookup, &vars);
    r.Error = EvalError;
    return r;
}

}  // namespace vormid::test
