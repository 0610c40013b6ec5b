#pragma once
// Geometry of the distribution chart: the shape tables, the log-normal
// sampling and the picture of every kind as points, polygons and markers in
// pixels of a W x H area. The widget only turns this into painter calls.
#include <array>
#include <vector>

#include "charts/ChartGeometry.h"
#include "core/GumTypes.h"

namespace vormid::charts {

// Sample i of a table stands for x = (i - 50)/10, i = 0..100.
using TShapeTable = std::array<double, 101>;

const TShapeTable& NormalTable();              // r6 of exp(-x^2/2)/sqrt(2 pi)
const TShapeTable& QuadraticTable();           // 2.25 - x^2/4 inside |x| < 3
const std::array<double, 61>& ArcsineTable();  // i = 20..80; ends 1.0
const TShapeTable& CosineTable();              // r6 of (1 + cos(pi x/3))/6
const TShapeTable& HalfCosineTable();          // r6 of (pi/12) cos(pi x/6)

// The log-normal curve sampled at 101 points from the bound inwards.
struct TLogNormalSampling {
    std::array<double, 101> Curve{};
    double CurveMax = 0;  // 0: nothing to draw
    bool Valid = false;   // parameters usable and sampling finite
    bool P95Found = false;
    double P95Value = -1.0;  // in the quantity's units
    double P95Index = 0;     // sample index
    double MeanValue = 0;    // in the quantity's units
    double MeanPos = 0;      // percent of the plotted range
};

// Samples the log-normal density of ln-shape sigma and ln-scale mu with the
// bound avg on the side limit. sigma <= 0, mu < 0, NaN or a sampling that
// leaves the finite numbers gives an invalid, empty sampling (never a part of
// one). Never throws.
TLogNormalSampling SampleLogNormal(double sigma, double mu, double avg, TLgLimit limit);

struct TChartProperties {
    int Distribution = dc_Normal;  // TDistribution; other values draw no shape
    double AVG = 0;
    double Param1 = -1.0;
    double Param2 = -1.0;
    int LtdType = ll_Top;  // TLgLimit
};

// A value marker: its label (value, place, alignment 0 left, 1 centred,
// 2 right) drawn first, then the line from (LineX, H - 12) up to (LineX, 5).
struct TMarker {
    enum TKind { Value, Limit };
    TKind Kind = Value;
    int LabelX = 0;
    int LineX = 0;
    int Align = 1;
    double Label = 0;
};

// Everything one paint draws, in drawing order: background, fill polygons
// (pen and brush ColorFill), the outlined shape (pen ColorGraph, brush
// ColorFill), the curve (ColorGraph), the markers, the black axes.
struct TDistributionPicture {
    int W = 0, H = 0;
    std::vector<std::vector<TPoint>> Fills;
    std::vector<TPoint> Shape;  // polygon; empty when none
    bool ShapeIsRect = false;   // Shape holds two corners of an outlined rectangle
    std::vector<TPoint> Curve;  // polyline
    std::vector<TMarker> Markers;
    bool Axes = false;  // (5,0)-(5,H-15)-(W-1,H-15)
};

// The mapping of the table kinds: X(i) = nint(i*f) + 5, f = (W - 10)/100.
int TableX(int i, int W);

// The picture of the chart with these properties at W x H. The log-normal
// kind takes its curve from sampling (the result of SampleLogNormal).
TDistributionPicture BuildDistributionPicture(const TChartProperties& p, const TLogNormalSampling& sampling, int W,
                                              int H);

}  // namespace vormid::charts
