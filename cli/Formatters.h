#pragma once
// The program's number formatters, bound to one model's settings and one
// result's display format, and the tool's one-line form of their pieces.
#include <string>

#include "core/FormatSettings.h"
#include "core/NumberFormat.h"

namespace vormid::cli {

using FormattedNumber = TFormattedNumber;

class NumberFormatter {
public:
    NumberFormatter(const TNumberFormatSettings& settings, const TDisplayFormat& format)
        : settings_(settings), format_(format) {}

    FormattedNumber Like(double u, double x) const { return FormatLike(u, x, settings_, format_); }
    FormattedNumber Significant(double x) const { return FormatSignificant(x, settings_, format_); }
    FormattedNumber DecimalsComma(int decimals, double x) const { return FormatDecimalsComma(decimals, x, settings_); }
    FormattedNumber Value(double x) const { return FormatValue(x, settings_, format_); }
    FormattedNumber Uncertainty(double u) const { return FormatUncertainty(u, settings_, format_); }

private:
    TNumberFormatSettings settings_;
    TDisplayFormat format_;
};

// One line of text for a formatted number: the exponent as superscript
// characters after the mantissa (UTF-8).
std::string NumberText(const FormattedNumber& n);

}  // namespace vormid::cli
