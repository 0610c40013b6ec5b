#pragma once
// Records filled by the budget calculation: THelpTable, the working record
// of one result or intermediate result during one calculation, and TBudget,
// the uncertainty budget of one result with one entry per quantity of its
// equation. Names are compared byte for byte.
#include <memory>
#include <string>
#include <vector>

#include "core/Formula.h"
#include "core/GumTypes.h"

namespace vormid {

// One line of a budget: one quantity of the result's equation.
struct TBudgetEntry {
    std::string Name;
    std::string Units;   // set for constants and intermediate results
    double Value = 0.0;  // set for constants and intermediate results
    double StdUncertainty = 0.0;
    double RelUncertainty = 0.0;  // |100 u / x|, per cent
    TDistribution Distribution = dc_Normal;
    int DegreesOfFreedom = 0;  // kInfiniteDof stands for infinity
    double Sensitivity = 0.0;
    double Contribution = 0.0;  // c_i u(x_i), signed
    double Ratio = 0.0;         // c_i u(x_i) / u_c (uncorrelated u_c)
    double Index = 0.0;         // 100 Ratio^2, per cent of the variance
};

class TBudget {
public:
    std::string Name;
    std::string Units;
    double Value = 0.0;
    double CombinedUncertainty = 0.0;  // correlations included
    double RelativeUncertainty = 0.0;  // per cent
    int EffectiveDOF = 0;              // kInfiniteDof stands for infinity
    double ResultValue = 0.0;
    double ExpandedUncertainty = 0.0;  // in the result's ResultFormat
    double CoverageFactor = 0.0;
    double CoverageProbability = 0.0;  // per cent
    double MaxContribution = 0.0;
    double MaxIndex = 0.0;
    int ErrorCode = NoError;   // EvalErrorCode that stopped the calculation
    std::string ErrorMessage;  // why a failed budget failed (user's words)

    int EntryCount() const { return static_cast<int>(Entries_.size()); }
    // The first entry named name; when there is none: nullptr if findOnly,
    // else a new entry of that name, appended.
    TBudgetEntry* FindEntry(const std::string& name, bool findOnly);
    // The entry at index, or nullptr past either end.
    TBudgetEntry* GetEntry(int index) const;
    // Appends a new entry named name even when one of that name exists (the
    // model loader restores the lines as they were stored). Never null.
    TBudgetEntry* AddEntry(const std::string& name);

    auto begin() const { return Entries_.begin(); }
    auto end() const { return Entries_.end(); }

private:
    std::vector<std::unique_ptr<TBudgetEntry>> Entries_;
};

using TBudgets = std::vector<std::unique_ptr<TBudget>>;

class THelpTable {
public:
    std::string SubstitutedEquation;
    double Value = 0.0;
    double CombinedUncertainty = 0.0;  // without correlations
    double RelativeUncertainty = 0.0;  // |100 u_c / y|, 0 for y = 0
    int EffectiveDOF = 0;
    std::string Name;
    TFormul Formula;  // the compiled SubstitutedEquation

    // When text differs from SubstitutedEquation: stores it and compiles it
    // into Formula. Returns whether Formula holds a successful compile of
    // SubstitutedEquation (false also before the first successful compile).
    bool SetEquation(const std::string& text);
    bool Compiled() const { return Compiled_; }

private:
    bool Compiled_ = false;
};

}  // namespace vormid
