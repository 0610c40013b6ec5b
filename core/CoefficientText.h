#pragma once
// Text of a correlation coefficient: general format with up to 15
// significant digits and the decimal comma.
#include <string>

namespace vormid {

// Fixed notation for decimal exponents -5..14, else mantissa "E" exponent
// ("1,5E-7", "2E20"); trailing zeros dropped. Never throws.
std::string CoefficientText(double r);

}  // namespace vormid
