#pragma once
// The one-line summary of an input quantity that the window's status bar
// shows: estimate, standard uncertainty and degrees of freedom, formatted as
// the budget table writes them, so that a user sees at once what the entered
// parameters mean.
#include <string>

#include "core/FormatSettings.h"
#include "core/GumParam.h"

namespace vormid {

// Why a Type B interval has no coverage factor to divide by: the normal or
// t interval at P = 0 or 100 %, or the t interval with no degrees of
// freedom. Empty when the factor exists (or is not needed). UTF-8.
std::string MissingCoverageFactor(const TGumParam& q);

// "x = …  u = …  ν = …" with the units, for Type A, Type B and constants;
// empty for other kinds. Numbers with a decimal comma, exponents as
// superscript characters. UTF-8.
std::string QuantitySummary(const TGumParam& q, const TNumberFormatSettings& settings);

}  // namespace vormid
