#pragma once
// The chart of a result's Monte Carlo draws beside its budget: the draws'
// histogram as a probability density (so that its area is the share of the
// draws inside the classes), the density the budget states for the result
// (normal, or Student's t with the effective degrees of freedom) over it,
// and the ends of both coverage intervals as vertical lines. Geometry only:
// the window paints the list.
#include <cstdint>
#include <vector>

#include "charts/DrawOps.h"

namespace vormid::charts {

struct TMonteCarloChartData {
    // Classes of equal width from Low on, and the number of all draws (also
    // those beyond the classes).
    double Low = 0.0;
    double Width = 0.0;
    std::vector<std::uint64_t> Counts;
    std::uint64_t Trials = 0;
    // The budget: y, u_c, ν_eff (-1 for infinity) and y ± U. HasGum false
    // when the result has no budget.
    bool HasGum = false;
    double Value = 0.0;
    double StdUncertainty = 0.0;
    int Dof = -1;
    double GumLow = 0.0, GumHigh = 0.0;
    // The probabilistically symmetric Monte Carlo interval.
    double McLow = 0.0, McHigh = 0.0;
};

inline constexpr TRgb kMcBarColor{160, 190, 230};
inline constexpr TRgb kMcBarEdge{110, 140, 190};
inline constexpr TRgb kGumCurveColor{200, 30, 30};
inline constexpr TRgb kMcIntervalColor{20, 60, 160};

// Pixels between the chart's edge and its plot.
inline constexpr int kMcChartMargin = 6;

// The density the budget states at x: normal with mean y and deviation
// u_c, or y + u_c·t with t of dof degrees of freedom.
double GumDensity(double x, double value, double u, int dof);

// The draws' density in class i: its share of all draws over the width.
double ClassDensity(const TMonteCarloChartData& d, std::size_t i);

// The horizontal pixel of x in a chart width pixels wide.
int McChartX(const TMonteCarloChartData& d, int width, double x);

// The drawing of a chart width × height pixels: the background, the bars
// (one FillRect each, with an outline Rect when wide enough), the GUM
// density (a Polyline, one point a pixel column), the two Monte Carlo ends
// (solid Lines) and the two GUM ends (dashed Lines), then the frame. Empty
// when there are no classes.
TDrawList MonteCarloChartOps(const TMonteCarloChartData& d, int width, int height);

}  // namespace vormid::charts
