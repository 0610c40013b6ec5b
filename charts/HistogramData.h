#pragma once
// The histogram's copy of a series' statistics and the normal curve fitted
// to it. Standard library only.
#include <vector>

#include "core/Statistics.h"

namespace vormid::charts {

struct THistogramData {
    int Count = 0;
    double Min = 0, Max = 0, Mean = 0, Median = 0, StdDev = 0;
    // The limit values of the series: minimum and maximum, or mean -+ 1
    // when all observations are equal.
    double LowLimit = 0, HighLimit = 0;
    int ClassCount = 0;                  // k
    std::vector<double> Bounds;          // b0..bk
    std::vector<int> Counts, CumCounts;  // classes 1..k at 0..k-1
    std::vector<double> RelFreq, CumRelFreq;
    // 1201 points from mean - 6s in steps of s/100; empty when s = 0.
    std::vector<double> CurveX, CurveD, CurveF;
};

inline constexpr int kCurvePoints = 1201;

// What the chart needs of stats. A block whose class arrays are shorter than
// its class count keeps only the classes it has. Never throws.
THistogramData CopyHistogramData(const SeriesStatistics& stats);

}  // namespace vormid::charts
