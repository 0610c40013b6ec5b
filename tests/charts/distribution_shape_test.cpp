// Geometry of the distribution chart, without painting.
#include <gtest/gtest.h>

#include <algorithm>

#include "charts/DistributionShape.h"

namespace vormid::charts {
namespace {

constexpr int W = 351, H = 194;

TDistributionPicture Build(int kind, double avg, double p1, double p2, int limit = ll_Top, int w = W, int h = H) {
    TChartProperties p;
    p.Distribution = kind;
    p.AVG = avg;
    p.Param1 = p1;
    p.Param2 = p2;
    p.LtdType = limit;
    const auto s =
        kind == dc_LgNormal ? SampleLogNormal(p1, p2, avg, static_cast<TLgLimit>(limit)) : TLogNormalSampling{};
    return BuildDistributionPicture(p, s, w, h);
}

int TopOf(const std::vector<TPoint>& curve) {
    int top = 1 << 30;
    for (const auto& p : curve) top = std::min(top, p.y);
    return top;
}

bool Empty(const TDistributionPicture& pic) {
    return pic.Fills.empty() && pic.Shape.empty() && pic.Curve.empty() && pic.Markers.empty();
}

TEST(ChartRounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(Nint(0.5), 0);
    EXPECT_EQ(Nint(1.5), 2);
    EXPECT_EQ(Nint(2.5), 2);
    EXPECT_EQ(Nint(-0.5), 0);
    EXPECT_EQ(Nint(-1.5), -2);
    EXPECT_EQ(Nint(2.4999), 2);
    EXPECT_EQ(Nint(1e300), 1 << 24);  // far off the picture, not an overflow
    EXPECT_EQ(Nint(std::nan("")), 0);
}

TEST(ShapeTables, FollowTheirRules) {
    EXPECT_DOUBLE_EQ(NormalTable()[50], 0.398942);
    EXPECT_DOUBLE_EQ(NormalTable()[60], 0.241971);
    EXPECT_DOUBLE_EQ(QuadraticTable()[50], 2.25);
    EXPECT_DOUBLE_EQ(QuadraticTable()[21], 0.1475);
    EXPECT_DOUBLE_EQ(QuadraticTable()[22], 0.29);
    EXPECT_EQ(QuadraticTable()[20], 0.0);
    EXPECT_EQ(ArcsineTable().front(), 1.0);
    EXPECT_EQ(ArcsineTable().back(), 1.0);
    EXPECT_DOUBLE_EQ(ArcsineTable()[30], 0.106103);  // x = 0: 1/(3 pi)
    EXPECT_DOUBLE_EQ(CosineTable()[50], 0.333333);
    EXPECT_DOUBLE_EQ(HalfCosineTable()[50], 0.261799);
    EXPECT_EQ(CosineTable()[80], 0.0);
    EXPECT_EQ(HalfCosineTable()[19], 0.0);
}

TEST(DistributionPicture, UnsetParameterGivesAxesOnlyForEveryKind) {
    for (int kind = 0; kind < kDistributionCount; ++kind) {
        SCOPED_TRACE(kind);
        const auto pic = Build(kind, 10, -1.0, 2);
        EXPECT_TRUE(Empty(pic));
        EXPECT_TRUE(pic.Axes);
        EXPECT_TRUE(Build(kind, 10, 1, -1.0).Axes);
    }
}

TEST(DistributionPicture, NormalWithZeroCoverageFactorPutsBothLimitsAtTheCentre) {
    const auto pic = Build(dc_Normal, 10, 2, 0);
    ASSERT_EQ(pic.Markers.size(), 3u);
    const int centre = Nint(50 * (W - 10) / 100.0) + 5;
    EXPECT_EQ(pic.Markers[1].LineX, centre);
    EXPECT_EQ(pic.Markers[2].LineX, centre);
    EXPECT_EQ(pic.Markers[1].Label, 8);
    EXPECT_EQ(pic.Markers[2].Label, 12);
    EXPECT_EQ(pic.Markers[0].LineX, W / 2);
    EXPECT_LE(std::abs(centre - W / 2), 1);
    // A factor above 5 takes the markers past the plotted curve.
    const auto wide = Build(dc_Normal, 10, 2, 6);
    EXPECT_LT(wide.Markers[1].LineX, 5);
    EXPECT_GT(wide.Markers[2].LineX, W - 5);
}

TEST(DistributionPicture, TPeakIsThirtyPixelsBelowTheNormalPeak) {
    const auto normal = Build(dc_Normal, 0, 1, 2);
    const auto t = Build(dc_DistributonT, 0, 1, 2);
    EXPECT_EQ(TopOf(normal.Curve), 15);
    EXPECT_EQ(TopOf(t.Curve), 45);
    ASSERT_EQ(normal.Curve.size(), 101u);
    EXPECT_EQ(normal.Curve.front(), (TPoint{5, H - 15}));
}

TEST(DistributionPicture, TrapezoidTopMustBeNarrowerThanItsBase) {
    const auto same = Build(dc_Trapez, 0, 2, 2);
    EXPECT_TRUE(Empty(same));
    EXPECT_FALSE(same.Axes);
    EXPECT_FALSE(Build(dc_Trapez, 0, 2, 3).Axes);
    EXPECT_FALSE(Build(dc_Trapez, 0, 2, -0.5).Axes);  // a negative top is no trapezoid either

    const auto point = Build(dc_Trapez, 0, 2, 0);
    const auto triangle = Build(dc_Triangle, 0, 2, 0);
    ASSERT_EQ(point.Shape.size(), 4u);
    EXPECT_EQ(point.Shape[1], point.Shape[2]);
    EXPECT_EQ((std::vector<TPoint>{point.Shape[0], point.Shape[1], point.Shape[3]}), triangle.Shape);
    EXPECT_TRUE(point.Axes);
}

TEST(DistributionPicture, BoundedKindsSpanIndices20To80) {
    const auto rect = Build(dc_Rectangle, 5, 1, 0);
    ASSERT_TRUE(rect.ShapeIsRect);
    EXPECT_EQ(rect.Shape[0], (TPoint{TableX(20, W), 15}));
    EXPECT_EQ(rect.Shape[1], (TPoint{TableX(80, W), H - 15}));
    ASSERT_EQ(rect.Markers.size(), 3u);
    EXPECT_EQ(rect.Markers[1].LineX, TableX(20, W));
    EXPECT_EQ(rect.Markers[1].Label, 4);
    EXPECT_EQ(rect.Markers[2].Label, 6);
    for (int kind : {dc_Quatro, dc_Cosine, dt_SemiCosine}) {
        SCOPED_TRACE(kind);
        const auto pic = Build(kind, 0, 1, 0);
        EXPECT_EQ(TopOf(pic.Curve), 15);
        EXPECT_EQ(pic.Curve[10].y, H - 15);  // nothing outside |x| < 3
        EXPECT_FALSE(pic.Fills.empty());
    }
}

TEST(DistributionPicture, UBowlLiesAboveTheCurveAndTouchesTheTopAtTheEnds) {
    const auto pic = Build(dc_DistributionU, 0, 1, 0);
    ASSERT_EQ(pic.Curve.size(), 61u);
    EXPECT_EQ(pic.Curve.front().y, 15);
    EXPECT_EQ(pic.Curve.back().y, 15);
    ASSERT_FALSE(pic.Fills.empty());
    for (const auto& poly : pic.Fills) {
        for (const auto& p : poly) {
            EXPECT_GE(p.y, 15);  // never above the level of the end points
            const auto c =
                std::find_if(pic.Curve.begin(), pic.Curve.end(), [&](const TPoint& q) { return q.x == p.x; });
            ASSERT_NE(c, pic.Curve.end());
            EXPECT_LE(p.y, c->y);  // never below the curve
        }
    }
}

TEST(LogNormal, AreaThatNeverPasses95PercentHasNoMarker) {
    const auto s = SampleLogNormal(0.5, 5, 0, ll_Bottom);
    EXPECT_TRUE(s.Valid);
    EXPECT_GT(s.CurveMax, 0);
    EXPECT_FALSE(s.P95Found);
    const auto pic = Build(dc_LgNormal, 0, 0.5, 5, ll_Bottom);
    ASSERT_EQ(pic.Markers.size(), 2u);  // mean and bound
    EXPECT_EQ(pic.Markers[1].LineX, 10);
    EXPECT_EQ(pic.Markers[1].LabelX, 5);
    EXPECT_EQ(pic.Markers[1].Align, 0);
}

TEST(LogNormal, UpperAndLowerBoundAreMirrorImages) {
    const double avg = 100;
    const auto bottom = Build(dc_LgNormal, avg, 0.4, 0.2, ll_Bottom);
    const auto top = Build(dc_LgNormal, avg, 0.4, 0.2, ll_Top);
    ASSERT_EQ(bottom.Curve.size(), 101u);
    ASSERT_EQ(top.Curve.size(), bottom.Curve.size());
    for (std::size_t i = 0; i < top.Curve.size(); ++i) {
        EXPECT_EQ(top.Curve[i].x, W + 5 - bottom.Curve[i].x);
        EXPECT_EQ(top.Curve[i].y, bottom.Curve[i].y);
    }
    ASSERT_EQ(bottom.Markers.size(), 3u);
    ASSERT_EQ(top.Markers.size(), 3u);
    for (std::size_t i = 0; i < 2; ++i) {  // mean and 95 %
        EXPECT_EQ(top.Markers[i].LineX, W + 5 - bottom.Markers[i].LineX);
        EXPECT_NEAR(top.Markers[i].Label - avg, avg - bottom.Markers[i].Label, 1e-9);
    }
    EXPECT_EQ(top.Markers[2].LineX, W - 5);
    EXPECT_EQ(top.Markers[2].Align, 2);
    const auto s = SampleLogNormal(0.4, 0.2, avg, ll_Bottom);
    EXPECT_NEAR(s.MeanValue, avg + std::exp(0.08 + 0.2), 1e-12);
    EXPECT_TRUE(s.P95Found);
}

TEST(LogNormal, InvalidParametersLeaveNoCurve) {
    struct Row {
        const char* name;
        double sigma, mu;
    };
    for (const Row& r : {Row{"zero shape", 0, 1}, Row{"negative shape", -0.5, 1}, Row{"negative scale", 0.5, -0.1},
                         Row{"mean overflows", 0.5, 800}, Row{"denormal shape", 1e-320, 0}}) {
        SCOPED_TRACE(r.name);
        const auto s = SampleLogNormal(r.sigma, r.mu, 0, ll_Bottom);
        EXPECT_FALSE(s.Valid);
        EXPECT_EQ(s.CurveMax, 0);
        const auto pic = Build(dc_LgNormal, 0, r.sigma, r.mu, ll_Bottom);
        EXPECT_TRUE(Empty(pic));
        EXPECT_TRUE(pic.Axes);
    }
}

}  // namespace
}  // namespace vormid::charts
