#include "charts/HistogramData.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vormid::charts {

THistogramData CopyHistogramData(const SeriesStatistics& stats) {
    THistogramData d;
    d.Count = stats.Count;
    d.Min = stats.Min;
    d.Max = stats.Max;
    d.Mean = stats.Mean;
    d.Median = stats.Median;
    d.StdDev = stats.StdDev;
    d.LowLimit = stats.RangeLow;
    d.HighLimit = stats.RangeHigh;

    std::size_t k = stats.ClassCount > 0 ? static_cast<std::size_t>(stats.ClassCount) : 0;
    if (stats.ClassBounds.empty()) k = 0;
    k = std::min({k, stats.ClassBounds.empty() ? 0 : stats.ClassBounds.size() - 1, stats.Counts.size(),
                  stats.CumCounts.size(), stats.RelFreq.size(), stats.CumRelFreq.size()});
    d.ClassCount = static_cast<int>(k);
    d.Bounds.assign(stats.ClassBounds.begin(), stats.ClassBounds.begin() + static_cast<std::ptrdiff_t>(k ? k + 1 : 0));
    const auto n = static_cast<std::ptrdiff_t>(k);
    d.Counts.assign(stats.Counts.begin(), stats.Counts.begin() + n);
    d.CumCounts.assign(stats.CumCounts.begin(), stats.CumCounts.begin() + n);
    d.RelFreq.assign(stats.RelFreq.begin(), stats.RelFreq.begin() + n);
    d.CumRelFreq.assign(stats.CumRelFreq.begin(), stats.CumRelFreq.begin() + n);

    const double s = d.StdDev;
    if (s > 0 && std::isfinite(s) && std::isfinite(d.Mean)) {
        d.CurveX.resize(kCurvePoints);
        d.CurveD.resize(kCurvePoints);
        d.CurveF.resize(kCurvePoints);
        const double h = s / 100;
        const double norm = s * std::sqrt(2 * std::numbers::pi);
        for (int i = 0; i < kCurvePoints; ++i) {
            const auto u = static_cast<std::size_t>(i);
            const double x = (d.Mean - 6 * s) + i * h;
            const double z = x - d.Mean;
            d.CurveX[u] = x;
            d.CurveD[u] = std::exp(-z * z / (2 * s * s)) / norm;
            d.CurveF[u] = i == 0 ? 0.0 : d.CurveF[u - 1] + (d.CurveD[u - 1] + d.CurveD[u]) * h / 2;
        }
    }
    return d;
}

}  // namespace vormid::charts
