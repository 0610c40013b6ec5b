#pragma once
// The label texts of the Type B page's distribution chart: the value with
// the program's default number of significant digits, the exponent as a
// separate text for the raised exponent; values in range in plain decimals.
#include <QString>

#include "core/FormatSettings.h"
#include "core/NumberFormat.h"

namespace vormid {

// Mantissa (with the exponent marker) and exponent text of a label: the
// significant-digits form with DefaultSignificantDigits. A value inside the
// thresholds is written with at most ten decimals and no trailing zeros
// ("0.##########", decimal comma). Never throws.
TFormattedNumber DistributionChartLabelText(const TNumberFormatSettings& settings, double value);

// The chart's OnLabel handler over the settings: V and E as above.
void DistributionChart1Label(const TNumberFormatSettings& settings, long double value, QString& V, QString& E);

}  // namespace vormid
