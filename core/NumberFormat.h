#pragma once
// Display texts of values and uncertainties: fixed decimals, significant
// digits, decimal pictures and the exponent form with exponents in multiples
// of three outside the model's thresholds.
//
// Every formatter returns the mantissa (with the exponent marker appended in
// exponent form) and a separate exponent text. With a marker that begins
// with "E" the exponent is appended to the mantissa and the exponent text is
// empty. Displayed numbers use "," as decimal sign; only FormatDecimals takes
// the separator from its caller. Nothing here reads the process locale, and
// nothing throws.
//
// Decimal digits: a double is read as its 15-significant-digit decimal
// (the number as typed), and rounding is to the nearest, halves away from
// zero. A result that rounds to zero carries no minus sign. NaN and
// infinities are written "NAN", "INF" and "-INF" without exponent form.
#include <string>

#include "core/FormatSettings.h"

namespace vormid {

// Text of a formatted number: mantissa (marker included) and exponent.
struct TFormattedNumber {
    std::string Mantissa;
    std::string Exponent;
    bool operator==(const TFormattedNumber&) const = default;
};

// A value rescaled by a power of 1000: original = Value * 10^Exponent.
struct TScaledValue {
    double Value = 0;
    int Exponent = 0;
};

// Value = x * 1000^k with the smallest k >= 0 making |Value| >= 0.1;
// Exponent = 3k (written as "-3k" by the formatters).
// x = 0 or not finite gives (x, 0).
TScaledValue ScaleUp(double x);
// Value = x / 1000^k with the smallest k >= 0 making |Value / 1000| <= 1;
// Exponent = 3k. Not finite x gives (x, 0).
TScaledValue ScaleDown(double x);

// x written by a decimal picture: "0" a mandatory digit, "#" an optional
// digit, "." the place of the decimal sign (written as decimalSeparator).
// Integer digits beyond the picture are always written; other characters
// are ignored; a picture without any digit place gives FormatGeneral15.
std::string FormatPicture(const std::string& picture, double x, char decimalSeparator);

// A number printed with '.' (printf, to_chars) written with the program's
// decimal comma instead.
std::string WithDecimalComma(std::string text);

// General format with up to 15 significant digits, trailing zeros dropped:
// fixed notation for decimal exponents -5..14, else mantissa, "E" and the
// exponent ("1,5E-7", "2E20" with ','), as a coefficient text is written.
std::string FormatGeneral15(double x, char decimalSeparator);

// d decimals (0..20; others clamped), exponent form by the rounded
// thresholds; the decimal sign is decimalSeparator. Zero gives "0<sep>0".
TFormattedNumber FormatDecimals(int d, double x, const TNumberFormatSettings& settings, char decimalSeparator);
// FormatDecimals with "," (zero gives "0,0").
TFormattedNumber FormatDecimalsComma(int d, double x, const TNumberFormatSettings& settings);

// x with CurSignificantDigits (clamped to 1..20) significant digits,
// exponent form outside the thresholds. Zero gives "0,0".
TFormattedNumber FormatSignificant(double x, const TNumberFormatSettings& settings, const TDisplayFormat& display);

// A variance (the square of a standard deviation) with the model's
// DefaultSignificantDigits significant digits, exponent form outside the
// thresholds. Decimals fitted to the observations would show a small
// nonzero variance (3,33e-10 with 9 decimals) as zero.
TFormattedNumber FormatVarianceSignificant(double variance, const TNumberFormatSettings& settings);

// x with as many decimals as u shows with CurSignificantDigits significant
// digits; FormatSignificant(x) when u = 0; "0,0" when x = 0.
TFormattedNumber FormatLike(double u, double x, const TNumberFormatSettings& settings, const TDisplayFormat& display);

// u rounded to the picture ("#" counts as "0"), upward when rounding down
// would lose more than 5 % of u. The text uses "," as decimal sign. A zero u
// gives zero by the picture ("0", "0,00"); a negative u is rounded by its
// magnitude and keeps its sign.
std::string RoundUncertainty(const std::string& picture, double u);

// RoundUncertainty with CurUncertaintyFormat; exponent form outside the
// thresholds when CurUncertaintyExp is set. Zero gives "0,0".
TFormattedNumber FormatUncertainty(double u, const TNumberFormatSettings& settings, const TDisplayFormat& display);

// x by the picture CurValueFormat with ","; exponent form outside the
// thresholds when CurValueExp is set. Zero gives "0,0".
TFormattedNumber FormatValue(double x, const TNumberFormatSettings& settings, const TDisplayFormat& display);

}  // namespace vormid
