#pragma once
// The measurement model as one object, shared by the window, the
// command-line tool and the tests: the quantities, the correlations, the
// budgets of the last calculation, the model's header texts and the
// number-format settings that new quantities copy.
#include <cstdint>
#include <string>

#include "core/Budget.h"
#include "core/Correlation.h"
#include "core/FormatSettings.h"
#include "core/GumParam.h"

namespace vormid {

// Evaluation method of the model header.
constexpr std::uint8_t em_Gum = 0;
constexpr std::uint8_t em_MonteCarlo = 1;

class TGumModel {
public:
    TGumModel() = default;
    // Params points into this object, so a model is neither copied nor moved.
    TGumModel(const TGumModel&) = delete;
    TGumModel& operator=(const TGumModel&) = delete;

    // Empties the model as a new one: no quantities, correlations or
    // budgets, empty texts, method GUM, default number-format settings.
    void Clear();

    // Program-wide number formats; declared before Params, which points here.
    TNumberFormatSettings FormatSettings;
    TGumParams Params{&FormatSettings};
    TCorrelation Correlations;
    TBudgets Budgets;  // replaced wholesale by every calculation
    std::string ModelName;
    std::uint8_t EvalMethod = em_Gum;
    std::string Description;  // rich text (RTF bytes)
    std::string Equation;     // rich text (RTF bytes)
};

}  // namespace vormid
