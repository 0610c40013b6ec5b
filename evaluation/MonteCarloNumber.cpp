#include "evaluation/MonteCarloNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/NumberFormat.h"

namespace vormid {

std::string McNumber(double x, double tolerance) {
    if (!std::isfinite(x)) return std::isnan(x) ? "NaN" : (x > 0 ? "∞" : "-∞");
    char buf[64];
    if (tolerance > 0.0) {
        // One digit past the tolerance's unit, as the published tables show.
        const int place = static_cast<int>(std::lround(std::log10(2.0 * tolerance))) - 1;
        const int magnitude = std::fabs(x) > 0.0 ? static_cast<int>(std::floor(std::log10(std::fabs(x)))) : place;
        if (place >= -8 && place < 0 && magnitude < 12)
            std::snprintf(buf, sizeof buf, "%.*f", -place, x);
        else if (place >= 0 && magnitude < 12)
            std::snprintf(buf, sizeof buf, "%.0f", x);
        else
            std::snprintf(buf, sizeof buf, "%.*e", std::clamp(std::max(magnitude, place) - place, 0, 16), x);
    } else {
        std::snprintf(buf, sizeof buf, "%.15g", x);
    }
    std::string s = WithDecimalComma(buf);
    // A value rounded to zero reads without its sign.
    if (s[0] == '-' && s.find_first_not_of("-0,") == std::string::npos) s.erase(0, 1);
    return s;
}

}  // namespace vormid
