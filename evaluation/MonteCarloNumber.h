#pragma once
// How the Monte Carlo figures read, in the tool's text and in the window
// alike.
#include <string>

namespace vormid {

// x with the decimal comma, rounded to the place of the tolerance's unit
// (the last significant digit of u), in exponent form when that would be
// unreadably long.
std::string McNumber(double x, double tolerance);

}  // namespace vormid
