#include "charts/MonteCarloChart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vormid::charts {
namespace {

double High(const TMonteCarloChartData& d) { return d.Low + d.Width * static_cast<double>(d.Counts.size()); }

}  // namespace

double GumDensity(double x, double value, double u, int dof) {
    if (!(u > 0.0) || !std::isfinite(u)) return 0.0;
    const double t = (x - value) / u;
    if (dof < 1) return std::exp(-0.5 * t * t) / (u * std::sqrt(2.0 * std::numbers::pi));
    const double nu = dof;
    const double logC = std::lgamma((nu + 1.0) / 2.0) - std::lgamma(nu / 2.0) - 0.5 * std::log(nu * std::numbers::pi);
    return std::exp(logC - (nu + 1.0) / 2.0 * std::log1p(t * t / nu)) / u;
}

double ClassDensity(const TMonteCarloChartData& d, std::size_t i) {
    if (d.Trials == 0 || !(d.Width > 0.0)) return 0.0;
    return static_cast<double>(d.Counts[i]) / (static_cast<double>(d.Trials) * d.Width);
}

int McChartX(const TMonteCarloChartData& d, int width, double x) {
    const double plot = width - 2 * kMcChartMargin;
    return kMcChartMargin + Nint((x - d.Low) / (High(d) - d.Low) * plot);
}

TDrawList MonteCarloChartOps(const TMonteCarloChartData& d, int width, int height) {
    TDrawList ops;
    const std::size_t n = d.Counts.size();
    if (n == 0 || !(d.Width > 0.0) || width <= 2 * kMcChartMargin + 1 || height <= 2 * kMcChartMargin + 1) return ops;
    const int left = kMcChartMargin, right = width - kMcChartMargin;
    const int top = kMcChartMargin, bottom = height - kMcChartMargin;

    // The tallest of the bars and of the curve sits a tenth below the top.
    double peak = 0.0;
    for (std::size_t i = 0; i < n; ++i) peak = std::max(peak, ClassDensity(d, i));
    std::vector<double> curve;
    if (d.HasGum) {
        for (int px = left; px <= right; ++px) {
            const double x = d.Low + (px - left) * (High(d) - d.Low) / (right - left);
            curve.push_back(GumDensity(x, d.Value, d.StdUncertainty, d.Dof));
            peak = std::max(peak, curve.back());
        }
    }
    if (!(peak > 0.0)) peak = 1.0;
    const double scale = 0.9 * (bottom - top) / peak;
    const auto y = [&](double density) { return bottom - Nint(density * scale); };

    ops.push_back(Box(TOpKind::FillRect, 0, 0, width - 1, height - 1, kWhite, kWhite));
    for (std::size_t i = 0; i < n; ++i) {
        const int x1 = McChartX(d, width, d.Low + d.Width * static_cast<double>(i));
        const int x2 = McChartX(d, width, d.Low + d.Width * static_cast<double>(i + 1)) - 1;
        const int y1 = y(ClassDensity(d, i));
        if (y1 >= bottom || x2 < x1) continue;  // an empty class, or one narrower than a pixel
        // Outlines only where they leave some of the fill to see.
        ops.push_back(
            Box(x2 - x1 >= 3 ? TOpKind::Rect : TOpKind::FillRect, x1, y1, x2, bottom - 1, kMcBarEdge, kMcBarColor));
    }
    if (!curve.empty()) {
        TDrawOp polyline;
        polyline.Kind = TOpKind::Polyline;
        polyline.Pen = kGumCurveColor;
        for (int px = left; px <= right; ++px)
            polyline.Points.push_back({px, y(curve[static_cast<std::size_t>(px - left)])});
        ops.push_back(std::move(polyline));
    }
    const auto vertical = [&](double x, TRgb pen, TPenStyle style) {
        const int px = McChartX(d, width, x);
        if (px >= left && px <= right) ops.push_back(Line(px, top, px, bottom - 1, pen, style));
    };
    vertical(d.McLow, kMcIntervalColor, TPenStyle::Solid);
    vertical(d.McHigh, kMcIntervalColor, TPenStyle::Solid);
    if (d.HasGum) {
        vertical(d.GumLow, kGumCurveColor, TPenStyle::Dash);
        vertical(d.GumHigh, kGumCurveColor, TPenStyle::Dash);
    }
    ops.push_back(Line(left, bottom, right, bottom, kBlack, TPenStyle::Solid));
    ops.push_back(Box(TOpKind::FrameRect, 0, 0, width - 1, height - 1, kBlack, kWhite));
    return ops;
}

}  // namespace vormid::charts
