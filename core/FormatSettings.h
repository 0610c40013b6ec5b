#pragma once
// Number-format settings of the program and the display format of the
// result being shown. Plain data: the formatters read them, the model file
// stores them, the settings dialog edits them.
#include <string>

namespace vormid {

struct TNumberFormatSettings {
    int LowExponent = 6;
    int HighExponent = 6;
    double LowThreshold = 1e-6;
    long long HighThreshold = 1000000;
    int DefaultSignificantDigits = 3;
    std::string ExponentMarker = "x10";
    std::string DefaultValueFormat = "0.000";
    bool DefaultValueExp = true;
    std::string DefaultUncertaintyFormat = "0.000";
    bool DefaultUncertaintyExp = true;

    bool operator==(const TNumberFormatSettings&) const = default;
};

// Copied from a result quantity whenever its budget is shown.
struct TDisplayFormat {
    int CurSignificantDigits = 3;
    std::string CurValueFormat = "0.000";
    bool CurValueExp = true;
    std::string CurUncertaintyFormat = "0.000";
    bool CurUncertaintyExp = true;
};

}  // namespace vormid
