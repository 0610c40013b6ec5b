// The Monte Carlo chart's geometry, without painting: the histogram as a
// density whose area is the share of the draws it holds, the budget's
// density over it, and the interval ends where their values are.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "charts/MonteCarloChart.h"

namespace vormid::charts {
namespace {

constexpr int W = 500, H = 220;

// 100 classes over [-3, 3] of 10^5 normal-looking draws: counts from the
// normal density, 400 draws beyond the classes.
TMonteCarloChartData Normal() {
    TMonteCarloChartData d;
    d.Low = -3.0;
    d.Width = 0.06;
    d.Trials = 100'000;
    for (int i = 0; i < 100; ++i) {
        const double mid = d.Low + (i + 0.5) * d.Width;
        d.Counts.push_back(static_cast<std::uint64_t>(std::lround(99'600 * d.Width * GumDensity(mid, 0.0, 1.0, -1))));
    }
    d.HasGum = true;
    d.StdUncertainty = 1.0;
    d.GumLow = -1.96, d.GumHigh = 1.96;
    d.McLow = -1.9, d.McHigh = 2.02;
    return d;
}

std::vector<TDrawOp> OfKind(const TDrawList& ops, TOpKind kind, TPenStyle style = TPenStyle::Solid) {
    std::vector<TDrawOp> out;
    for (const auto& op : ops)
        if (op.Kind == kind && (kind != TOpKind::Line || op.Style == style)) out.push_back(op);
    return out;
}

TEST(MonteCarloChart, DensitiesIntegrateToTheirShares) {
    const TMonteCarloChartData d = Normal();
    double area = 0.0;
    std::uint64_t inside = 0;
    for (std::size_t i = 0; i < d.Counts.size(); ++i) {
        area += ClassDensity(d, i) * d.Width;
        inside += d.Counts[i];
    }
    EXPECT_DOUBLE_EQ(area, static_cast<double>(inside) / static_cast<double>(d.Trials));
    // The budget's densities: normal and t (ν = 1 is Cauchy), each of area 1.
    EXPECT_DOUBLE_EQ(GumDensity(5.0, 5.0, 2.0, -1), 1.0 / (2.0 * std::sqrt(2.0 * std::numbers::pi)));
    EXPECT_NEAR(GumDensity(5.0, 5.0, 2.0, 1), 1.0 / (2.0 * std::numbers::pi), 1e-15);
    for (const int dof : {-1, 3, 30}) {
        double sum = 0.0;
        for (double x = -400.0; x < 400.0; x += 0.001) sum += GumDensity(x, 0.5, 0.8, dof) * 0.001;
        EXPECT_NEAR(sum, 1.0, dof == 3 ? 2e-6 : 1e-9) << dof;
    }
    EXPECT_EQ(GumDensity(1.0, 1.0, 0.0, -1), 0.0);
}

TEST(MonteCarloChart, BarsCurveAndIntervalEndsWhereTheirValuesAre) {
    const TMonteCarloChartData d = Normal();
    const TDrawList ops = MonteCarloChartOps(d, W, H);
    const auto bars = OfKind(ops, TOpKind::Rect);
    ASSERT_EQ(bars.size(), 100u);  // 4.8 pixels a class: outlined
    EXPECT_EQ(bars.front().X1, kMcChartMargin);
    EXPECT_EQ(bars.back().X2, W - kMcChartMargin - 1);
    for (std::size_t i = 1; i < bars.size(); ++i) EXPECT_EQ(bars[i].X1, bars[i - 1].X2 + 1) << i;
    // Heights in proportion to the densities; the tallest at 90 % of the plot.
    const int bottom = H - kMcChartMargin;
    const auto tallest = std::min_element(bars.begin(), bars.end(), [](auto& a, auto& b) { return a.Y1 < b.Y1; });
    EXPECT_GE(tallest->Y1, kMcChartMargin + (H - 2 * kMcChartMargin) / 10 - 1);
    EXPECT_EQ(bars[25].Y2, bottom - 1);

    const auto curve = OfKind(ops, TOpKind::Polyline);
    ASSERT_EQ(curve.size(), 1u);
    ASSERT_EQ(curve[0].Points.size(), static_cast<std::size_t>(W - 2 * kMcChartMargin + 1));
    // The budget's curve follows the bars it was made from.
    const TDrawOp& middle = bars[50];
    const TPoint atMiddle = curve[0].Points[static_cast<std::size_t>((middle.X1 + middle.X2) / 2 - kMcChartMargin)];
    EXPECT_NEAR(atMiddle.y, middle.Y1, 3);

    const auto mc = OfKind(ops, TOpKind::Line, TPenStyle::Solid);
    const auto gum = OfKind(ops, TOpKind::Line, TPenStyle::Dash);
    ASSERT_EQ(gum.size(), 2u);
    ASSERT_EQ(mc.size(), 3u);  // the two ends and the base line
    EXPECT_EQ(mc[0].X1, McChartX(d, W, -1.9));
    EXPECT_EQ(mc[1].X1, McChartX(d, W, 2.02));
    EXPECT_EQ(gum[0].X1, McChartX(d, W, -1.96));
    EXPECT_EQ(gum[1].X1, McChartX(d, W, 1.96));
    EXPECT_EQ(McChartX(d, W, 0.0), W / 2);
    EXPECT_EQ(gum[0].Pen, kGumCurveColor);
    EXPECT_EQ(mc[0].Pen, kMcIntervalColor);
}

TEST(MonteCarloChart, NarrowClassesNoBudgetAndNothingToDraw) {
    TMonteCarloChartData d = Normal();
    d.HasGum = false;
    const TDrawList narrow = MonteCarloChartOps(d, 200, 120);
    EXPECT_TRUE(OfKind(narrow, TOpKind::Rect).empty());  // under 2 pixels a class: no outlines
    EXPECT_FALSE(OfKind(narrow, TOpKind::FillRect).empty());
    EXPECT_TRUE(OfKind(narrow, TOpKind::Polyline).empty());
    EXPECT_TRUE(OfKind(narrow, TOpKind::Line, TPenStyle::Dash).empty());
    d.Counts.clear();
    EXPECT_TRUE(MonteCarloChartOps(d, W, H).empty());
    EXPECT_TRUE(MonteCarloChartOps(Normal(), 10, 10).empty());
}

}  // namespace
}  // namespace vormid::charts
