#include "charts/DistributionShape.h"

#include <cmath>
#include <numbers>

namespace vormid::charts {

namespace {

double R6(double v) { return std::round(v * 1e6) / 1e6; }
double TableArg(int i) { return (i - 50) / 10.0; }

template <typename Rule>
TShapeTable MakeTable(Rule rule) {
    TShapeTable t{};
    for (int i = 0; i <= 100; ++i) t[static_cast<std::size_t>(i)] = rule(TableArg(i));
    return t;
}

constexpr double kNormalPeak = 0.398942;
constexpr double kQuadraticPeak = 2.25;
constexpr double kCosinePeak = 0.333333;
constexpr double kHalfCosinePeak = 0.261799;

// Area under a table curve and the curve itself, x positions from xOf.
template <typename Table, typename XOf>
void TableCurve(TDistributionPicture& pic, const Table& t, std::size_t count, double g, XOf xOf) {
    const int H = pic.H;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const int a = Nint(t[i] * g);
        const int b = Nint(t[i + 1] * g);
        const int x0 = xOf(static_cast<int>(i));
        const int x1 = xOf(static_cast<int>(i) + 1);
        if (a > 0 && b > 0)
            pic.Fills.push_back({{x0, H - 15}, {x0, H - 14 - a}, {x1, H - 14 - b}, {x1, H - 15}});
        else if (a > 0)
            pic.Fills.push_back({{x0, H - 15}, {x0, H - 14 - a}, {x1, H - 15}});
        else if (b > 0)
            pic.Fills.push_back({{x0, H - 15}, {x1, H - 14 - b}, {x1, H - 15}});
    }
    for (std::size_t i = 0; i < count; ++i) pic.Curve.push_back({xOf(static_cast<int>(i)), H - 15 - Nint(t[i] * g)});
}

void TableKind(TDistributionPicture& pic, const TShapeTable& t, double peak, int H) {
    const int W = pic.W;
    TableCurve(pic, t, t.size(), (H - 30) / peak, [W](int i) { return TableX(i, W); });
}

// The bowl above the arcsine curve and below the level of its end points.
void UKind(TDistributionPicture& pic) {
    const int W = pic.W, H = pic.H;
    const auto& A = ArcsineTable();
    const double g = (H - 30) / 1.0;
    const int top = Nint(1.0 * g);
    for (int k = 20; k < 80; ++k) {
        const int a = Nint(A[static_cast<std::size_t>(k - 20)] * g);
        const int b = Nint(A[static_cast<std::size_t>(k - 19)] * g);
        const int x0 = TableX(k, W), x1 = TableX(k + 1, W);
        if (a < top && b < top)
            pic.Fills.push_back({{x0, H - 15 - top}, {x0, H - 16 - a}, {x1, H - 16 - b}, {x1, H - 15 - top}});
        else if (a < top)
            pic.Fills.push_back({{x0, H - 15 - top}, {x0, H - 16 - a}, {x1, H - 15 - top}});
        else if (b < top)
            pic.Fills.push_back({{x0, H - 15 - top}, {x1, H - 16 - b}, {x1, H - 15 - top}});
    }
    for (int k = 20; k <= 80; ++k)
        pic.Curve.push_back({TableX(k, W), H - 15 - Nint(A[static_cast<std::size_t>(k - 20)] * g)});
}

void BoundedMarkers(TDistributionPicture& pic, const TChartProperties& p) {
    const int W = pic.W;
    pic.Markers.push_back({TMarker::Value, W / 2, W / 2, 1, p.AVG});
    pic.Markers.push_back({TMarker::Limit, TableX(20, W), TableX(20, W), 1, p.AVG - p.Param1});
    pic.Markers.push_back({TMarker::Limit, TableX(80, W), TableX(80, W), 1, p.AVG + p.Param1});
}

// False when the picture ends with the background alone.
bool LogNormalKind(TDistributionPicture& pic, const TChartProperties& p, const TLogNormalSampling& s) {
    if (!s.Valid) return true;  // parameters without a curve: background and axes
    if (s.CurveMax == 0) return false;
    if (p.LtdType != ll_Top && p.LtdType != ll_Bottom) return true;
    const int W = pic.W, H = pic.H;
    const double f = (W - 15) / 100.0;
    const bool bottom = p.LtdType == ll_Bottom;
    auto pos = [&](double i) { return bottom ? Nint(i * f) + 10 : W - 5 - Nint(i * f); };
    TableCurve(pic, s.Curve, s.Curve.size(), (H - 30) / s.CurveMax, [&](int i) { return pos(i); });
    const int meanX = pos(s.MeanPos);
    pic.Markers.push_back({TMarker::Value, meanX, meanX, 1, s.MeanValue});
    if (s.P95Found) {
        const int x = pos(s.P95Index);
        pic.Markers.push_back({TMarker::Limit, x, x, 1, s.P95Value});
    }
    if (bottom)
        pic.Markers.push_back({TMarker::Limit, 5, 10, 0, p.AVG});
    else
        pic.Markers.push_back({TMarker::Limit, W - 5, W - 5, 2, p.AVG});
    return true;
}

}  // namespace

const TShapeTable& NormalTable() {
    static const TShapeTable t =
        MakeTable([](double x) { return R6(std::exp(-x * x / 2) / std::sqrt(2 * std::numbers::pi)); });
    return t;
}

const TShapeTable& QuadraticTable() {
    // R6 gives the exact decimals 0.1475, 0.29, ... of the rule.
    static const TShapeTable t = MakeTable([](double x) { return std::fabs(x) < 3 ? R6(2.25 - x * x / 4) : 0.0; });
    return t;
}

const std::array<double, 61>& ArcsineTable() {
    static const std::array<double, 61> t = [] {
        std::array<double, 61> a{};
        for (int i = 20; i <= 80; ++i) {
            const double x = TableArg(i);
            a[static_cast<std::size_t>(i - 20)] =
                (i == 20 || i == 80) ? 1.0 : R6(1 / (std::numbers::pi * std::sqrt(9 - x * x)));
        }
        return a;
    }();
    return t;
}

const TShapeTable& CosineTable() {
    static const TShapeTable t =
        MakeTable([](double x) { return std::fabs(x) < 3 ? R6((1 + std::cos(std::numbers::pi * x / 3)) / 6) : 0.0; });
    return t;
}

const TShapeTable& HalfCosineTable() {
    static const TShapeTable t = MakeTable([](double x) {
        return std::fabs(x) < 3 ? R6(std::numbers::pi / 12 * std::cos(std::numbers::pi * x / 6)) : 0.0;
    });
    return t;
}

TLogNormalSampling SampleLogNormal(double sigma, double mu, double avg, TLgLimit limit) {
    TLogNormalSampling s;
    if (!(sigma > 0) || !(mu >= 0) || !std::isfinite(sigma) || !std::isfinite(mu) || !std::isfinite(avg)) return s;
    const double h = sigma / 5;
    const double root = std::sqrt(2 * std::numbers::pi) * sigma;
    double x = 0, area = 0, previous = 0;
    for (int i = 1; i <= 100; ++i) {
        x += h;
        const double z = (std::log(x) - mu) / sigma;
        const double d = std::exp(-z * z / 2) / (root * x);
        if (!std::isfinite(d)) return {};
        s.Curve[static_cast<std::size_t>(i)] = d;
        area += h * (previous + d) / 2;
        if (d > s.CurveMax) s.CurveMax = d;
        if (area > 0.95 && !s.P95Found) {
            s.P95Value = x + avg;
            s.P95Index = i;
            s.P95Found = true;
        }
        previous = d;
    }
    const double m = std::exp(sigma * sigma / 2 + mu);
    s.MeanValue = m + avg;
    s.MeanPos = m * 100 / x;
    if (limit == ll_Top) {
        s.MeanValue = avg - m;
        s.P95Value = 2 * avg - s.P95Value;
    }
    if (!std::isfinite(m) || !std::isfinite(s.MeanPos) || !std::isfinite(s.MeanValue) || !std::isfinite(s.P95Value))
        return {};
    s.Valid = true;
    return s;
}

int TableX(int i, int W) { return Nint(i * ((W - 10) / 100.0)) + 5; }

TDistributionPicture BuildDistributionPicture(const TChartProperties& p, const TLogNormalSampling& sampling, int W,
                                              int H) {
    TDistributionPicture pic;
    pic.W = W;
    pic.H = H;
    if (p.Param1 == -1.0 || p.Param2 == -1.0) {
        pic.Axes = true;
        return pic;
    }
    const double f = (W - 10) / 100.0;
    switch (p.Distribution) {
        case dc_Normal:
        case dc_DistributonT: {
            const int drop = p.Distribution == dc_DistributonT ? 60 : 30;
            TableCurve(pic, NormalTable(), 101, (H - drop) / kNormalPeak, [W](int i) { return TableX(i, W); });
            pic.Markers.push_back({TMarker::Value, W / 2, W / 2, 1, p.AVG});
            if (p.Param1 > -1) {
                const int lo = Nint((50 - 10 * p.Param2) * f) + 5;
                const int hi = Nint((50 + 10 * p.Param2) * f) + 5;
                pic.Markers.push_back({TMarker::Limit, lo, lo, 1, p.AVG - p.Param1});
                pic.Markers.push_back({TMarker::Limit, hi, hi, 1, p.AVG + p.Param1});
            }
            break;
        }
        case dc_LgNormal:
            if (!LogNormalKind(pic, p, sampling)) return pic;
            break;
        case dc_Rectangle:
            pic.ShapeIsRect = true;
            pic.Shape = {{TableX(20, W), 15}, {TableX(80, W), H - 15}};
            BoundedMarkers(pic, p);
            break;
        case dc_Triangle:
            pic.Shape = {{TableX(20, W), H - 15}, {TableX(50, W), 15}, {TableX(80, W), H - 15}};
            BoundedMarkers(pic, p);
            break;
        case dc_Trapez: {
            // A top not narrower than the base, or half-widths below zero,
            // describe no trapezoid.
            if (!(p.Param2 < p.Param1) || !(p.Param1 > 0) || !(p.Param2 >= 0)) return pic;
            const double r = p.Param2 / p.Param1;
            pic.Shape = {{TableX(20, W), H - 15},
                         {Nint((50 - 30 * r) * f) + 5, 15},
                         {Nint((50 + 30 * r) * f) + 5, 15},
                         {TableX(80, W), H - 15}};
            BoundedMarkers(pic, p);
            break;
        }
        case dc_Quatro:
            TableKind(pic, QuadraticTable(), kQuadraticPeak, H);
            BoundedMarkers(pic, p);
            break;
        case dc_DistributionU:
            UKind(pic);
            BoundedMarkers(pic, p);
            break;
        case dc_Cosine:
            TableKind(pic, CosineTable(), kCosinePeak, H);
            BoundedMarkers(pic, p);
            break;
        case dt_SemiCosine:
            TableKind(pic, HalfCosineTable(), kHalfCosinePeak, H);
            BoundedMarkers(pic, p);
            break;
        default:
            break;
    }
    pic.Axes = true;
    return pic;
}

}  // namespace vormid::charts
