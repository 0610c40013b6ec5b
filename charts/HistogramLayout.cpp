#include "charts/HistogramLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace vormid::charts {

namespace {

constexpr TRgb kLime{0, 255, 0}, kGreen{0, 128, 0}, kRed{255, 0, 0}, kMaroon{128, 0, 0};
constexpr TRgb kYellow{255, 255, 0}, kTeal{0, 128, 128}, kSky{0, 128, 255}, kNavy{0, 0, 128};
constexpr TRgb kBlue{0, 0, 255};
constexpr int kMaxTicks = 100000;   // a safety stop for scales of degenerate data
constexpr int kAxisLabelLeft = 21;  // right of the title-bar strip (x 0..19)
constexpr int kAxisLabelGap = 6;    // between two x labels

std::string IntText(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", std::nearbyint(v) + 0.0);
    std::string s = buf;
    return s == "-0" ? "0" : s;
}

TDrawOp Text(const std::string& text, int x, int y, TRgb colour = kBlack) {
    TDrawOp op;
    op.Kind = TOpKind::Text;
    op.Pen = colour;
    op.Text = text;
    op.X1 = x, op.Y1 = y;
    return op;
}

TDrawOp Image(TChartImage image, int x, int y, int w, int h) {
    TDrawOp op;
    op.Kind = TOpKind::Image;
    op.Image = image;
    op.X1 = x, op.Y1 = y, op.X2 = x + w - 1, op.Y2 = y + h - 1;
    return op;
}

TDrawOp Polyline(std::vector<TPoint> points, TRgb pen) {
    TDrawOp op;
    op.Kind = TOpKind::Polyline;
    op.Pen = pen;
    op.Points = std::move(points);
    return op;
}

int ScaleMode(const THistogramOptions& o, int index) {
    const int v = o.Get(index);
    return v == 1 || v == 2 ? v : 0;
}

int ScaleTextWidth(int mode, double cmax, const TTextWidth& width) {
    if (mode == 1) return width(IntText(cmax) + "0");
    if (mode == 2) return width("000");
    return 0;
}

// Minor divisions of a step: halved while above 5.
int MinorDivisions(int m) {
    while (m > 5) m = Nint(m / 2.0);
    return std::max(m, 1);
}

struct TScaleSide {
    bool Left;
    int Ax;
};

void MajorTick(TDrawList& ops, const TScaleSide& side, int y, const std::string& label, const TTextWidth& width) {
    ops.push_back(Line(side.Ax, y, side.Ax + 6, y));
    const int x = side.Left ? side.Ax - 4 - width(label) : side.Ax + 8;
    ops.push_back(Text(label, x, y - 7));
}

void MinorTick(TDrawList& ops, const TScaleSide& side, int y) {
    if (side.Left)
        ops.push_back(Line(side.Ax + 3, y, side.Ax + 6, y));
    else
        ops.push_back(Line(side.Ax, y, side.Ax + 3, y));
}

void CountsScale(TDrawList& ops, const THistogramLayout& l, const TScaleSide& side, const TTextWidth& width) {
    if (!(l.Sc > 0)) return;
    const double raw = Nint(l.CMax * 1.2 / ((l.B - l.T) / 30.0));
    int w = std::max(1, Nint(NiceCountStep(raw)));
    const int cmax = Nint(l.CMax);
    // In a short plot the step can exceed the count; the count itself then
    // is the step that divides it.
    if (l.DistributionMode && cmax > 0) {
        w = std::min(w, cmax);
        while (cmax % w != 0) ++w;
    }
    const int m = MinorDivisions(w);
    for (int i = 0; i < kMaxTicks; ++i) {
        const double value = static_cast<double>(i) * w;
        const int y = Nint(l.B - value * l.Sc);
        if (y < l.T) break;
        MajorTick(ops, side, y, IntText(value), width);
        if (l.DistributionMode && value >= l.CMax) break;
        for (int s = 1; s <= m; ++s) {
            const int ym = Nint(l.B - (value + s * static_cast<double>(w) / m) * l.Sc);
            if (ym < l.T) break;
            MinorTick(ops, side, ym);
        }
    }
}

void PercentScale(TDrawList& ops, const THistogramLayout& l, const TScaleSide& side, const TTextWidth& width) {
    if (!(l.Sf > 0)) return;
    double raw;
    if (!l.DistributionMode) {
        raw = Nint(l.FMax * 1.2 * 100 / ((l.B - l.T) / 30.0));
    } else {
        int r = std::clamp(Nint(l.FMax * 100 / ((l.B - l.T) * 5 / 180.0)), 1, 100);
        while (100 % r != 0) ++r;
        raw = r;
    }
    const double step = NiceCountStep(raw) / 100;
    const int m = MinorDivisions(Nint(step / 0.01));
    for (int i = 0; i < kMaxTicks; ++i) {
        const double value = i * step;
        const int y = Nint(l.B - value * l.Sf);
        if (y < l.T) break;
        const int label = Nint(value * 100);
        MajorTick(ops, side, y, IntText(label), width);
        if (l.DistributionMode && label > 99) break;
        for (int s = 1; s <= m; ++s) {
            const int ym = Nint(l.B - (value + s * step / m) * l.Sf);
            if (ym < l.T) break;
            MinorTick(ops, side, ym);
        }
    }
}

// Ticks and labels of one side, with the vertical axis line up to the
// highest tick.
void Scale(TDrawList& ops, const THistogramLayout& l, bool left, int mode, const TTextWidth& width) {
    const TScaleSide side{left, left ? l.L - 6 : l.L + l.PW};
    const std::size_t first = ops.size();
    if (mode == 1)
        CountsScale(ops, l, side, width);
    else
        PercentScale(ops, l, side, width);
    int top = l.B;
    for (std::size_t i = first; i < ops.size(); ++i)
        if (ops[i].Kind == TOpKind::Line) top = std::min(top, ops[i].Y1);
    ops.push_back(Line(side.Ax, l.B, side.Ax, top));
}

// Decimals that write every multiple of step exactly: 6 as a rule, more for
// the finer steps of a very narrow series.
int AxisDecimals(double step) {
    for (int d = 6; d < 12; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::nearbyint(scaled)) < 1e-6 * scaled) return d;
    }
    return 12;
}

// The next finer of the steps 1, 2.5 and 5 times a power of ten.
double FinerValueStep(double step) {
    const double p = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double m = step / p;
    if (m > 3) return 2.5 * p;
    if (m > 1.5) return p;
    return 0.5 * p;
}

struct TAxisMark {
    int X = 0;
    bool Label = false;
    std::string Text;
    int Left = 0;
};

// Major ticks of one step inside the plot. A label is centred under its
// tick and kept only when it lies wholly right of the title-bar strip and
// inside the picture, clear of the label before it.
std::vector<TAxisMark> AxisMarks(const THistogramLayout& l, double step, int W, const TTextWidth& width) {
    std::vector<TAxisMark> marks;
    const double g = std::floor(l.Lo + 1e-6);
    // Majors before the plot are never drawn; start just before it.
    const double skip = std::floor((l.Lo - g) / step) - 1;
    const long long i0 = skip > 0 ? static_cast<long long>(std::min(skip, 1e15)) : 0;
    const int right = l.L + l.PW;
    const int decimals = AxisDecimals(step);
    int lastRight = kAxisLabelLeft - kAxisLabelGap;
    for (long long i = i0; i <= i0 + 1000000; ++i) {
        const double v = g + static_cast<double>(i) * step;
        TAxisMark mark;
        mark.X = l.X(v);
        if (mark.X > right) break;
        if (mark.X >= l.L) {
            mark.Text = AxisValueText(v, decimals);
            const int w = width(mark.Text);
            mark.Left = mark.X - w / 2;
            mark.Label = mark.Left >= lastRight + kAxisLabelGap && mark.Left + w <= W - 1;
            if (mark.Label) lastRight = mark.Left + w;
        }
        marks.push_back(std::move(mark));
    }
    return marks;
}

void XAxis(TDrawList& ops, const THistogramLayout& l, int W, const TTextWidth& width) {
    if (l.PW <= 0 || !(l.Sx > 0)) return;
    const int lw = width("0") * (l.MaxDigits + 6) + width(",");
    const double raw = (l.Hi - l.Lo) / (l.PW / static_cast<double>(lw + 10));
    double step = NiceValueStep(raw);
    if (!std::isfinite(step) || !(step > 0)) return;
    // A series narrower than the rule's step would get one label or none:
    // finer steps until two labels are readable.
    std::vector<TAxisMark> marks = AxisMarks(l, step, W, width);
    for (int finer = 0; finer < 30; ++finer) {
        const auto labelled = std::count_if(marks.begin(), marks.end(), [](const TAxisMark& m) { return m.Label; });
        // Majors closer than a few pixels would only make a comb.
        if (labelled >= 2 || FinerValueStep(step) * l.Sx < 8) break;
        step = FinerValueStep(step);
        marks = AxisMarks(l, step, W, width);
    }
    const int minorStep = Nint(step / 5 * l.Sx);
    const int right = l.L + l.PW;
    for (const TAxisMark& m : marks) {
        if (m.X >= l.L) {
            ops.push_back(Line(m.X, l.B, m.X, l.B + 8));
            if (m.Label) ops.push_back(Text(m.Text, m.Left, l.B + 8));
        }
        int mx = m.X;
        for (int k = 1; k <= 4 && minorStep > 0; ++k) {
            mx += minorStep;
            if (mx > right) break;
            if (mx < l.L) continue;
            ops.push_back(Line(mx, l.B, mx, l.B + 4));
        }
    }
}

void NormalCurve(TDrawList& ops, const THistogramData& d, const THistogramLayout& l) {
    const int R = Nint((l.Hi - l.Lo) * l.Sx) + l.L;
    if (!d.CurveX.empty()) {
        const auto& y = l.DistributionMode ? d.CurveF : d.CurveD;
        std::vector<TPoint> points;
        int px = l.X(d.CurveX[0]);
        int py = l.B - Nint(y[0] * l.Sd);
        for (std::size_t i = 1; i < d.CurveX.size(); ++i) {
            const int x = l.X(d.CurveX[i]);
            if (x > R) break;
            const int yy = l.B - Nint(y[i] * l.Sd);
            if (px >= l.L) {
                if (points.empty()) points.push_back({px, py});
                points.push_back({x, yy});
            }
            px = x;
            py = yy;
        }
        if (!points.empty()) ops.push_back(Polyline(std::move(points), kRed));
        return;
    }
    // No spread: the distribution is a single step at the mean.
    const int x0 = Nint(1e-6 * l.Sx) + l.L;
    const int xm = l.X(d.Mean);
    const int top = l.T + Nint((l.B - l.T) / 6.0);
    if (l.DistributionMode) {
        ops.push_back(Polyline({{x0, l.B}, {xm, l.B}, {xm, top}, {R, top}}, kRed));
    } else {
        ops.push_back(Polyline({{x0, l.B}, {xm, l.B}, {xm, top}}, kRed));
        ops.push_back(Polyline({{xm, l.B}, {R, l.B}}, kRed));
    }
}

void SigmaLines(TDrawList& ops, const THistogramData& d, const THistogramLayout& l, int k) {
    const TRgb colour = l.DistributionMode ? kGreen : kBlue;
    for (int sign : {-1, 1}) {
        const double v = d.Mean + sign * k * d.StdDev;
        const int x = l.X(v);
        ops.push_back(Line(x, l.T - 6, x, l.B, colour, TPenStyle::Dash));
        const bool outside = sign < 0 ? v >= d.LowLimit : v >= d.HighLimit;
        ops.push_back(
            Text((sign < 0 ? "-" : "+") + std::to_string(k) + "S", outside ? x + 2 : x - 20, l.T - 20, colour));
    }
}

void MarkLine(TDrawList& ops, const THistogramLayout& l, double value, double other, TRgb colour, TPenStyle style,
              TChartImage glyph) {
    const int x = l.X(value);
    ops.push_back(Line(x, l.T - 3, x, l.B, colour, style));
    const int left = value >= other ? x + 2 : x - 9;
    ops.push_back(Image(glyph, left, l.T - 14, 7, 12));
}

void ValueLabels(TDrawList& ops, const THistogramData& d, const THistogramLayout& l, int mode, bool bars,
                 const TTextWidth& width, TRgb tooltip) {
    const auto k = static_cast<std::size_t>(d.ClassCount);
    std::vector<std::string> texts(k);
    for (std::size_t j = 0; j < k; ++j) {
        if (mode == 1)
            texts[j] = IntText(l.DistributionMode ? d.CumCounts[j] : d.Counts[j]);
        else
            texts[j] = IntText(std::round((l.DistributionMode ? d.CumRelFreq[j] : d.RelFreq[j]) * 100));
    }
    const int cw = Nint((d.Bounds[1] - d.Bounds[0]) * l.Sx);
    int left = Nint((d.Bounds[1] - l.Lo) * l.Sx + l.L - cw / 2.0) - ((width(texts[0]) + 5) / 2);
    for (std::size_t j = 0; j < k; ++j, left += cw) {
        const int w = width(texts[j]) + 5;
        const double f = l.DistributionMode ? d.CumRelFreq[j] : d.RelFreq[j];
        const int bottom = Nint(l.B - l.Sf * f) - (bars ? 5 : 0);
        const int top = bottom - 15;
        ops.push_back(Box(TOpKind::FillRect, left, top, left + w, bottom, tooltip, tooltip));
        TDrawOp text = Text(texts[j], left + 2, top + 1);
        text.Clip = true;
        text.X2 = left + w - 1;
        text.Y2 = bottom - 1;
        ops.push_back(text);
        ops.push_back(Box(TOpKind::FrameRect, left, top, left + w, bottom, kBlack, kBlack));
        if (bars) ops.push_back(Line(left + w / 2, bottom, left + w / 2, bottom + 5));
    }
}

TDrawOp CaptionImage(int mode, bool left, int W, int H) {
    const TChartImage image = mode == 1 ? TChartImage::CountsCaption : TChartImage::PercentCaption;
    return Image(image, left ? 5 : W - 16, (H - 125) / 2, 11, 125);
}

}  // namespace

double NiceCountStep(double v) {
    const int n = Nint(v);
    if (n >= 10 && n <= 99) {
        const double base = 10 * std::floor(v / 10);
        double best = base;
        for (double c : {base + 5, base + 10})
            if (std::fabs(v - c) < std::fabs(v - best)) best = c;
        return best;
    }
    if (v == 0) return 1;
    return v;
}

double NiceValueStep(double raw) {
    for (int e = -4; e <= 300; ++e) {
        const double p = std::pow(10.0, e);
        for (double m : {1.0, 2.5, 5.0})
            if (m * p >= raw) return m * p;
    }
    return raw;
}

std::string AxisValueText(double v, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

THistogramLayout ComputeHistogramLayout(const THistogramData& d, const THistogramOptions& o, int W, int H,
                                        const TTextWidth& width) {
    THistogramLayout l;
    l.DistributionMode = o.Get(hoKind) == 1;
    double lo = d.Min, hi = d.Max;
    const int k = o.Get(hoSigmaLines);
    if (k > 0) {
        lo = std::min(d.Mean - k * d.StdDev, lo);
        hi = std::max(d.Mean + k * d.StdDev, hi);
    }
    if (d.StdDev == 0 && !d.Bounds.empty()) {
        lo = std::min(lo, d.Bounds.front());
        hi = std::max(hi, d.Bounds.back());
    }
    l.Lo = lo - 1e-6;
    l.Hi = hi + 1e-6;
    for (std::size_t j = 0; j < static_cast<std::size_t>(d.ClassCount); ++j) {
        l.CMax = std::max(l.CMax, static_cast<double>(l.DistributionMode ? d.CumCounts[j] : d.Counts[j]));
        l.FMax = std::max(l.FMax, l.DistributionMode ? d.CumRelFreq[j] : d.RelFreq[j]);
    }
    l.MaxDigits = static_cast<int>(IntText(d.Max).size());

    const int left = ScaleMode(o, hoLeftScale), right = ScaleMode(o, hoRightScale);
    l.L = left == 0 ? 15 : ScaleTextWidth(left, l.CMax, width) + 27;
    l.PW = right == 0 ? W - l.L - 15 : W - l.L - 27 - ScaleTextWidth(right, l.CMax, width);
    l.T = 7;
    if (o.On(hoMean) || o.On(hoMedian) || o.Get(hoSigmaLines) > 0) l.T = 22;
    if (o.On(hoLimitRange) || o.On(hoExtraMarker)) l.T += 13;
    l.B = l.T < 8 ? H - l.T - 18 : H - l.T - 1;
    l.Sx = l.PW / (l.Hi - l.Lo);
    const double plot = l.B - l.T;
    l.Sf = l.FMax > 0 ? plot / (l.FMax * 1.2) : 0;
    l.Sc = l.CMax > 0 ? plot / (l.CMax * 1.2) : 0;
    if (l.DistributionMode)
        l.Sd = plot * l.FMax / 1.2;
    else
        l.Sd = d.StdDev > 0 ? plot * d.StdDev * std::sqrt(2 * 3.14159265358979323846) / 1.2 : plot / 1.2;
    return l;
}

TDrawList RenderHistogram(const THistogramData& d, const THistogramOptions& o, int W, int H, const TTextWidth& width,
                          const THistogramColors& colors) {
    TDrawList ops;
    if (d.ClassCount <= 0 || W <= 0 || H <= 0) return ops;
    const THistogramLayout l = ComputeHistogramLayout(d, o, W, H, width);
    const auto k = static_cast<std::size_t>(d.ClassCount);

    ops.push_back(Box(TOpKind::FillRect, 0, 0, W - 1, H - 1, kWhite, kWhite));
    ops.push_back(Box(TOpKind::Rect, l.L, l.FrameTop(), l.L + l.PW, l.B, kBlack, kWhite));

    if (o.On(hoBars)) {
        const double lowLimit = std::nearbyint(d.LowLimit * 1e5), highLimit = std::nearbyint(d.HighLimit * 1e5);
        for (std::size_t j = 0; j < k; ++j) {
            const double f = l.DistributionMode ? d.CumRelFreq[j] : d.RelFreq[j];
            TRgb pen = l.DistributionMode ? kNavy : kGreen;
            TRgb brush = l.DistributionMode ? kSky : kLime;
            if (!l.DistributionMode) {
                const double a = std::nearbyint(d.Bounds[j] * 1e5), b = std::nearbyint(d.Bounds[j + 1] * 1e5);
                if (b < lowLimit || a > highLimit) {
                    pen = kMaroon, brush = kRed;
                } else if ((a < lowLimit && lowLimit < b) || (a < highLimit && highLimit < b)) {
                    pen = kTeal, brush = kYellow;
                }
            }
            ops.push_back(
                Box(TOpKind::Rect, l.X(d.Bounds[j]), Nint(l.B - l.Sf * f), l.X(d.Bounds[j + 1]), l.B, pen, brush));
        }
    }

    const int leftScale = ScaleMode(o, hoLeftScale), rightScale = ScaleMode(o, hoRightScale);
    if (leftScale) Scale(ops, l, true, leftScale, width);
    if (rightScale) {
        ops.push_back(CaptionImage(rightScale, false, W, H));
        Scale(ops, l, false, rightScale, width);
    }

    XAxis(ops, l, W, width);
    if (o.On(hoCurve)) NormalCurve(ops, d, l);
    if (o.Get(hoSigmaLines) > 0) SigmaLines(ops, d, l, o.Get(hoSigmaLines));
    if (o.On(hoMedian)) MarkLine(ops, l, d.Median, d.Mean, kMaroon, TPenStyle::DashDot, TChartImage::MedianGlyph);
    if (o.On(hoMean)) MarkLine(ops, l, d.Mean, d.Median, kNavy, TPenStyle::DashDotDot, TChartImage::MeanGlyph);
    const int labels = ScaleMode(o, hoValueLabels);
    if (labels) ValueLabels(ops, d, l, labels, o.On(hoBars), width, colors.ToolTip);

    ops.push_back(Box(TOpKind::FillRect, 0, 0, 19, H - 1, colors.TitleBar, colors.TitleBar));
    // After the strip, so that the caption stays readable on it.
    if (leftScale) ops.push_back(CaptionImage(leftScale, true, W, H));
    return ops;
}

}  // namespace vormid::charts
