#pragma once
// Layout and render of the histogram as drawing operations: margins, plot
// rectangle, scales and their ticks, the x axis, class bars, the normal
// curve, the mean, median and +-k s lines and the value labels. Text widths
// come from the caller, so tests run without fonts.
#include <functional>
#include <string>

#include "charts/DrawOps.h"
#include "charts/HistogramData.h"
#include "charts/HistogramOptions.h"

namespace vormid::charts {

// Width in pixels of a single-line text (UTF-8) in the picture's font.
using TTextWidth = std::function<int(const std::string&)>;

struct THistogramLayout {
    bool DistributionMode = false;  // option 8 = 1
    double Lo = 0, Hi = 0;          // plotted x range
    double CMax = 0, FMax = 0;      // largest plotted count and fraction
    int MaxDigits = 1;              // length of the text of nint(maximum)
    int L = 15, PW = 0, T = 7, B = 0;
    double Sx = 0, Sf = 0, Sc = 0, Sd = 0;

    int X(double v) const { return Nint((v - Lo) * Sx + L); }
    int FrameTop() const { return DistributionMode ? T + Nint((B - T) / 6.0) : T; }
};

THistogramLayout ComputeHistogramLayout(const THistogramData& data, const THistogramOptions& options, int W, int H,
                                        const TTextWidth& width);

// 1 for 0; the nearest of 10*floor(v/10) + 0, 5, 10 for nint(v) in 10..99
// (a tie keeps the lower); v otherwise.
double NiceCountStep(double v);
// The smallest of 0.0001, 0.00025, 0.0005, 0.001, ... (1, 2.5, 5 times a
// power of ten) not below raw.
double NiceValueStep(double raw);

// Colours that come from the platform.
struct THistogramColors {
    TRgb TitleBar{0, 84, 227};
    TRgb ToolTip{255, 255, 225};
};

// The whole picture of W x H, in drawing order. Nothing without classes.
TDrawList RenderHistogram(const THistogramData& data, const THistogramOptions& options, int W, int H,
                          const TTextWidth& width, const THistogramColors& colors = {});

// Text of an x label: fixed, 6 decimals unless the step needs more, decimal
// comma.
std::string AxisValueText(double v, int decimals = 6);

}  // namespace vormid::charts
