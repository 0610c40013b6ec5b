#include "charts/HistogramOptions.h"

#include <algorithm>

namespace vormid::charts {

namespace {
// Options stored as on/off: only the digit "1" switches them on.
bool IsSwitchOption(int index) {
    constexpr int kSwitches[] = {hoBars, hoCurve, hoMean, hoMedian, hoLimitRange, hoExtraMarker};
    return std::find(std::begin(kSwitches), std::end(kSwitches), index) != std::end(kSwitches);
}
}  // namespace

int ParseHistogramOptions(const std::string& text, THistogramOptions& options) {
    int read = 0;
    for (; read < kHistogramOptionCount && static_cast<std::size_t>(read) < text.size(); ++read) {
        const char c = text[static_cast<std::size_t>(read)];
        if (c < '0' || c > '9') break;
        options.Values[static_cast<std::size_t>(read)] = IsSwitchOption(read) ? (c == '1' ? 1 : 0) : c - '0';
    }
    return read;
}

std::string FormatHistogramOptions(const THistogramOptions& options) {
    std::string text;
    for (int v : options.Values) text += std::to_string(v);
    return text;
}

}  // namespace vormid::charts
