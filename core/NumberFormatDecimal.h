#pragma once
// Decimal digits of a double, for the number formatters: the value as its
// 15-significant-digit decimal, rounded halves away from zero.
#include <string>

namespace vormid::numfmt {

// |value| = 0.Digits * 10^Point. Digits has no leading or trailing zeros;
// it is empty (and Point 0) for zero.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Point = 0;
    bool IsZero() const { return Digits.empty(); }
};

// x must be finite.
TDecimal ToDecimal(double x);
// Keeps the first n digits, rounding the rest halves away from zero.
void RoundToDigits(TDecimal& d, int n);
// Rounds to `decimals` digits after the decimal point.
inline void RoundToFraction(TDecimal& d, int decimals) { RoundToDigits(d, d.Point + decimals); }
// The decimal as a double (the nearest one).
double ToDouble(const TDecimal& d);
// Fixed notation: at least minInt integer digits, at least minFrac decimals
// and every remaining digit; "0" when nothing would be written. A minus only
// when some digit is not zero.
std::string FixedText(const TDecimal& d, int minInt, int minFrac, char sep);
// Reads "-123.456" (digits, one optional '.', optional leading '-'),
// independent of the locale; 0 for anything else.
double ParseDotNumber(const std::string& text);

}  // namespace vormid::numfmt
