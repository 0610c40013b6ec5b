#pragma once
// The charts' demos: the Type B page's chart with the main window's colours
// and label formatter for every distribution kind, and the observation
// page's histogram of a fixed series in both modes. The tests check pixels
// of them, and the pictures in docs/ are rendered from them.
#include <QImage>
#include <QString>
#include <vector>

#include "charts/DistributionChart.h"
#include "charts/Histogram.h"
#include "core/GumTypes.h"

namespace vormid::test {

// The kind's parameters as the Type B page would give them.
void SetupDistributionDemo(TDistributionChart& chart, TDistribution kind);
// A 351 x 194 picture of the kind's demo.
QImage RenderDistributionDemo(TDistribution kind, QSize size = {351, 194});
QString DistributionDemoName(TDistribution kind);

// n observations around 10 with s about 0.05, the same on every call.
std::vector<double> DemoObservations(int n = 60);
SeriesStatistics DemoStatistics(int n = 60);
// A 485 x 358 histogram of the demo series; options as the string gives
// them, the toolbar's start-up state by default.
QImage RenderHistogramDemo(const char* options, int n = 60);

}  // namespace vormid::test
