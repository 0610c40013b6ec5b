#pragma once
// The 13 display options of the histogram and their stored form: one
// decimal digit per option in index order, "1121010110301" by default.
#include <array>
#include <string>

namespace vormid::charts {

enum THistogramOption : int {
    hoBars = 0,          // class bars on/off
    hoCurve = 1,         // normal curve on/off
    hoLeftScale = 2,     // 0 none, 1 counts, 2 percent
    hoRightScale = 3,    // 0 none, 1 counts, 2 percent
    hoUnused4 = 4,       // kept and written back, no effect
    hoMean = 5,          // mean line on/off
    hoMedian = 6,        // median line on/off
    hoLimitRange = 7,    // kept, forced off by the main window
    hoKind = 8,          // 0 histogram, 1 empirical distribution function
    hoValueLabels = 9,   // 0 none, 1 counts, 2 percent
    hoSigmaLines = 10,   // 0 none, k = 1..6: lines at mean +- k s
    hoSecondSet = 11,    // kept, no second data set exists
    hoExtraMarker = 12,  // kept, forced off by the main window
};
inline constexpr int kHistogramOptionCount = 13;
inline constexpr const char* kDefaultHistogramOptions = "1121010110301";

struct THistogramOptions {
    std::array<int, kHistogramOptionCount> Values{};  // all off/0 on construction

    bool On(int index) const { return Values[static_cast<std::size_t>(index)] != 0; }
    int Get(int index) const { return Values[static_cast<std::size_t>(index)]; }
    bool operator==(const THistogramOptions&) const = default;
};

// Reads text into options from index 0 on; stops silently at the first
// character that is not a digit or at the end of the text, so the options
// not reached keep their values. An on/off option is on only for "1".
// Returns how many were read.
int ParseHistogramOptions(const std::string& text, THistogramOptions& options);
// The 13 values as decimal digits in index order.
std::string FormatHistogramOptions(const THistogramOptions& options);

}  // namespace vormid::charts
