// The general format of a coefficient, written without the process locale.
#include "core/CoefficientText.h"

#include <cstdio>
#include <cstdlib>

namespace vormid {

std::string CoefficientText(double r) {
    char buf[64];
    // "%.15g" switches to the exponent form exactly where the general format
    // does (exponent < -4 or >= 15); only its decimal point depends on the
    // locale, so it is replaced whatever it is.
    std::snprintf(buf, sizeof buf, "%.15g", r);
    std::string raw(buf);
    std::string out;
    std::size_t i = 0;
    for (; i < raw.size() && raw[i] != 'e'; ++i) {
        const char ch = raw[i];
        out += (ch == '.' || ch == ',') ? ',' : ch;
    }
    if (i < raw.size()) {  // "e-07" -> "E-7", "e+20" -> "E20"
        const int exponent = std::atoi(raw.c_str() + i + 1);
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
}

}  // namespace vormid
