#pragma once
// The report's inputs: one row per quantity with its kind in words, value,
// standard uncertainty, distribution and ν, and how u was obtained; the
// quantities' comments follow the table.
#include <string>

#include "core/GumModel.h"
#include "report/ReportContent.h"

namespace vormid::report {

// How the quantity's standard uncertainty was obtained, in words: for Type
// A n, mean, s and s/√n (or what was entered), for Type B what was stated
// and where ν comes from. Empty for other kinds.
std::string HowObtained(const TGumParam& q, const TNumberFormatSettings& settings);

TSection InputsSection(const TGumModel& model);

}  // namespace vormid::report
