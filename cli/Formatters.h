#pragma once
// The program's number formatters, bound to one model's settings and one
// result's display format, as the budget page uses them.
#include <string>

#include "core/FormatSettings.h"

namespace vormid::cli {

// Mantissa (with the exponent marker when in exponent form) and the
// exponent text, empty when there is none. Both Windows-1251 (ASCII here).
struct FormattedNumber {
    std::string Mantissa;
    std::string Exponent;
};

class NumberFormatter {
public:
    NumberFormatter(const TNumberFormatSettings& settings, const TDisplayFormat& format)
        : settings_(settings), format_(format) {}

    FormattedNumber Like(double u, double x) const;
    FormattedNumber Significant(double x) const;
    FormattedNumber DecimalsComma(int decimals, double x) const;
    FormattedNumber Value(double x) const;
    FormattedNumber Uncertainty(double u) const;

private:
    TNumberFormatSettings settings_;
    TDisplayFormat format_;
};

// Exactly two decimals and a decimal comma (k and P of the result line).
std::string TwoDecimalsComma(double x);

// One line of text for a formatted number: the exponent as superscript
// characters after the mantissa (UTF-8).
std::string NumberText(const FormattedNumber& n);

}  // namespace vormid::cli
