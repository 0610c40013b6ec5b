#pragma once
// "Анализ на модела": the quantity list follows the equation. Every name
// the equation uses becomes a quantity (left-hand sides results or
// intermediate results, the others inputs), the list is ordered by first
// appearance, and quantities the equation no longer names leave the list.
//
// A quantity that leaves the list is kept aside by its exact name, so that a
// passing typo in the equation does not lose its observations and
// evaluation: when the name comes back, the quantity comes back with all its
// data. The window empties that memory when the model is closed, replaced or
// reloaded; it is never saved.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/GumParam.h"
#include "core/TextFields.h"

namespace vormid {

// Longest name (in Windows-1251 bytes) that the model file keeps whole.

class TDeletedQuantities {
public:
    // Keeps a quantity that left the list (replacing one of the same name).
    void Remember(std::unique_ptr<TGumParam> param);
    // The remembered quantity of exactly this name, handed back, or null.
    std::unique_ptr<TGumParam> Recall(const std::string& name);
    bool Contains(const std::string& name) const { return Items_.count(name) != 0; }
    std::size_t Count() const { return Items_.size(); }
    void Clear() { Items_.clear(); }

private:
    std::unordered_map<std::string, std::unique_ptr<TGumParam>> Items_;
};

struct TAnalysisOutcome {
    bool Ok = true;        // false: refused, nothing changed
    bool Changed = false;  // names, order or kinds of the list differ
    std::string Message;   // why it was refused (UTF-8, for the user)
    int Deleted = 0;       // quantities that left the list
    int Restored = 0;      // remembered quantities that came back
};

// Runs the analysis of a plain equation text (lines ended by the line
// separator, as EquationText gives them) over params. A name longer than
// kText101.Text refuses the whole analysis with a message naming
// its line, before anything is changed. Never throws (apart from allocation
// failure).
TAnalysisOutcome AnalyseModel(std::string_view plainEquation, TGumParams& params, TDeletedQuantities& deleted);

}  // namespace vormid
