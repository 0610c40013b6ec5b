// Layout and render list of the histogram, without painting.
#include <gtest/gtest.h>

#include <algorithm>

#include "charts/HistogramLayout.h"

namespace vormid::charts {
namespace {

constexpr int W = 485, H = 358;

// Six pixels per character, whatever the character.
int FixedWidth(const std::string& text) {
    return 6 * static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

THistogramData Series(std::vector<double> values) {
    SeriesStatistics stats;
    ComputeSeriesStatistics(values, stats);
    return CopyHistogramData(stats);
}

THistogramData Spread() { return Series({9.8, 9.9, 9.9, 10.0, 10.0, 10.0, 10.0, 10.1, 10.1, 10.2, 10.05, 9.95}); }

THistogramOptions Options(const char* text = kDefaultHistogramOptions) {
    THistogramOptions o;
    ParseHistogramOptions(text, o);
    return o;
}

std::vector<TDrawOp> OfKind(const TDrawList& ops, TOpKind kind) {
    std::vector<TDrawOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [&](const TDrawOp& op) { return op.Kind == kind; });
    return out;
}

const TDrawOp* FindImage(const TDrawList& ops, TChartImage image) {
    for (const auto& op : ops)
        if (op.Kind == TOpKind::Image && op.Image == image) return &op;
    return nullptr;
}

// The bars are the rectangles after the plot frame (the first Rect).
std::vector<TDrawOp> Bars(const TDrawList& ops) {
    auto rects = OfKind(ops, TOpKind::Rect);
    if (!rects.empty()) rects.erase(rects.begin());
    return rects;
}

// Texts left of the plot: the left scale's labels, bottom to top.
std::vector<TDrawOp> LeftLabels(const TDrawList& ops, const THistogramLayout& l) {
    std::vector<TDrawOp> out;
    for (const auto& op : OfKind(ops, TOpKind::Text))
        if (op.X1 < l.L - 6 && op.Y1 < l.B) out.push_back(op);
    return out;
}

TEST(HistogramOptionString, ReadsDigitsUntilTheFirstBadCharacter) {
    struct Row {
        const char* name;
        const char* text;
        int read;
        std::array<int, 13> expected;
    };
    const Row rows[] = {
        {"default", "1121010110301", 13, {1, 1, 2, 1, 0, 1, 0, 1, 1, 0, 3, 0, 1}},
        {"empty", "", 0, {}},
        {"letter stops", "12x1111111111", 2, {1, 0}},
        {"too short", "0021", 4, {0, 0, 2, 1}},
        {"longer than 13", "99999999999999", 13, {0, 0, 9, 9, 9, 0, 0, 0, 9, 9, 9, 9, 0}},
        {"switch on only by 1", "2211211111112", 13, {0, 0, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        THistogramOptions o;
        EXPECT_EQ(ParseHistogramOptions(r.text, o), r.read);
        EXPECT_EQ(o.Values, r.expected);
    }
    THistogramOptions kept = Options();
    ParseHistogramOptions("0", kept);
    EXPECT_EQ(FormatHistogramOptions(kept), "0121010110301");
}

TEST(HistogramSteps, NiceCountAndValueSteps) {
    EXPECT_EQ(NiceCountStep(0), 1);
    EXPECT_EQ(NiceCountStep(7), 7);
    EXPECT_EQ(NiceCountStep(12), 10);
    EXPECT_EQ(NiceCountStep(13), 15);
    EXPECT_EQ(NiceCountStep(17.5), 15);  // a tie keeps the lower
    EXPECT_EQ(NiceCountStep(18), 20);
    EXPECT_EQ(NiceCountStep(150), 150);
    EXPECT_DOUBLE_EQ(NiceValueStep(0), 0.0001);
    EXPECT_DOUBLE_EQ(NiceValueStep(0.0002), 0.00025);
    EXPECT_DOUBLE_EQ(NiceValueStep(0.03), 0.05);
    EXPECT_DOUBLE_EQ(NiceValueStep(0.05), 0.05);
    EXPECT_DOUBLE_EQ(NiceValueStep(1.2), 2.5);
    EXPECT_DOUBLE_EQ(NiceValueStep(400), 500);
    EXPECT_EQ(AxisValueText(-0.25), "-0,250000");
    EXPECT_EQ(AxisValueText(-1e-9), "0,000000");
}

TEST(HistogramLayout, MarginsFollowTheScales) {
    const auto d = Spread();
    // Left percent, right counts, mean line, histogram mode.
    const auto both = ComputeHistogramLayout(d, Options("1121010000300"), W, H, FixedWidth);
    EXPECT_EQ(both.L, 18 + 27);
    EXPECT_EQ(both.PW, W - both.L - 27 - 6 * 2);  // cmax 4 written "40"
    EXPECT_EQ(both.T, 22);
    EXPECT_EQ(both.B, H - 22 - 1);
    const auto none = ComputeHistogramLayout(d, Options("1100000000000"), W, H, FixedWidth);
    EXPECT_EQ(none.L, 15);
    EXPECT_EQ(none.PW, W - 30);
    EXPECT_EQ(none.T, 7);
    EXPECT_EQ(none.B, H - 25);
    EXPECT_EQ(none.X(none.Lo), 15);
    EXPECT_EQ(none.X(none.Hi), 15 + none.PW);
}

TEST(HistogramRender, BarsShareBordersAndTheTallestStandsAtFiveSixths) {
    const auto d = Spread();
    const auto o = Options("1000000000000");
    const auto l = ComputeHistogramLayout(d, o, W, H, FixedWidth);
    const auto bars = Bars(RenderHistogram(d, o, W, H, FixedWidth));
    ASSERT_EQ(bars.size(), static_cast<std::size_t>(d.ClassCount));
    int tallest = l.B;
    for (std::size_t j = 0; j < bars.size(); ++j) {
        EXPECT_EQ(bars[j].Brush, (TRgb{0, 255, 0}));
        EXPECT_EQ(bars[j].Pen, (TRgb{0, 128, 0}));
        if (j) {
            EXPECT_EQ(bars[j].X1, bars[j - 1].X2);
        }
        tallest = std::min(tallest, bars[j].Y1);
    }
    EXPECT_EQ(tallest, Nint(l.B - (l.B - l.T) / 1.2));
}

TEST(HistogramRender, EqualObservationsGiveRedAndYellowClassesAndAStepCurve) {
    const auto d = Series({5, 5, 5, 5});
    ASSERT_EQ(d.StdDev, 0);
    ASSERT_TRUE(d.CurveX.empty());
    const auto o = Options("1100000000000");
    const auto l = ComputeHistogramLayout(d, o, W, H, FixedWidth);
    EXPECT_NEAR(l.Lo, 2.5, 1e-5);  // the range covers the five classes
    EXPECT_NEAR(l.Hi, 7.5, 1e-5);
    const auto ops = RenderHistogram(d, o, W, H, FixedWidth);
    const auto bars = Bars(ops);
    ASSERT_EQ(bars.size(), 5u);
    const TRgb red{255, 0, 0}, yellow{255, 255, 0}, lime{0, 255, 0};
    EXPECT_EQ(bars[0].Brush, red);
    EXPECT_EQ(bars[0].Pen, (TRgb{128, 0, 0}));
    EXPECT_EQ(bars[1].Brush, yellow);
    EXPECT_EQ(bars[1].Pen, (TRgb{0, 128, 128}));
    EXPECT_EQ(bars[2].Brush, lime);
    EXPECT_EQ(bars[3].Brush, yellow);
    EXPECT_EQ(bars[4].Brush, red);

    const auto curves = OfKind(ops, TOpKind::Polyline);
    const int xm = l.X(5), top = l.T + Nint((l.B - l.T) / 6.0), R = Nint((l.Hi - l.Lo) * l.Sx) + l.L;
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0].Points, (std::vector<TPoint>{{Nint(1e-6 * l.Sx) + l.L, l.B}, {xm, l.B}, {xm, top}}));
    EXPECT_EQ(curves[1].Points, (std::vector<TPoint>{{xm, l.B}, {R, l.B}}));

    const auto df = OfKind(RenderHistogram(d, Options("1100000010000"), W, H, FixedWidth), TOpKind::Polyline);
    ASSERT_EQ(df.size(), 1u);
    ASSERT_EQ(df[0].Points.size(), 4u);
    EXPECT_EQ(df[0].Points[3], (TPoint{R, top}));
}

TEST(HistogramRender, NormalCurvePeaksAtFiveSixthsAndStaysInThePlot) {
    const auto d = Spread();
    const auto o = Options("0100000000000");
    const auto l = ComputeHistogramLayout(d, o, W, H, FixedWidth);
    const auto curves = OfKind(RenderHistogram(d, o, W, H, FixedWidth), TOpKind::Polyline);
    ASSERT_EQ(curves.size(), 1u);
    int top = l.B;
    for (const auto& p : curves[0].Points) {
        EXPECT_GE(p.x, l.L);
        EXPECT_LE(p.x, l.L + l.PW);
        top = std::min(top, p.y);
    }
    EXPECT_NEAR(top, l.B - (l.B - l.T) / 1.2, 1.0);
}

TEST(HistogramRender, SixSigmaLinesWidenTheRange) {
    const auto d = Spread();
    const auto o = Options("1000000000600");
    const auto l = ComputeHistogramLayout(d, o, W, H, FixedWidth);
    EXPECT_NEAR(l.Lo, d.Mean - 6 * d.StdDev - 1e-6, 1e-9);
    EXPECT_NEAR(l.Hi, d.Mean + 6 * d.StdDev + 1e-6, 1e-9);
    const auto ops = RenderHistogram(d, o, W, H, FixedWidth);
    const auto bars = Bars(ops);
    EXPECT_GT(bars.front().X1, l.L + l.PW / 4);
    EXPECT_LT(bars.back().X2, l.L + 3 * l.PW / 4);
    std::vector<std::string> labels;
    for (const auto& t : OfKind(ops, TOpKind::Text))
        if (t.Pen == (TRgb{0, 0, 255})) labels.push_back(t.Text);
    EXPECT_EQ(labels, (std::vector<std::string>{"-6S", "+6S"}));
}

TEST(HistogramRender, MeanEqualToMedianPutsBothGlyphsRight) {
    const auto d = Series({1, 2, 3, 4, 5});
    ASSERT_EQ(d.Mean, d.Median);
    const auto o = Options("0000011000000");
    const auto l = ComputeHistogramLayout(d, o, W, H, FixedWidth);
    const auto ops = RenderHistogram(d, o, W, H, FixedWidth);
    const TDrawOp* mean = FindImage(ops, TChartImage::MeanGlyph);
    const TDrawOp* median = FindImage(ops, TChartImage::MedianGlyph);
    ASSERT_TRUE(mean && median);
    EXPECT_EQ(mean->X1, l.X(3) + 2);
    EXPECT_EQ(median->X1, l.X(3) + 2);
    EXPECT_EQ(mean->X2 - mean->X1 + 1, 7);
    EXPECT_EQ(mean->Y2 - mean->Y1 + 1, 12);

    const auto skewed = Series({1, 1, 1, 2, 9});  // mean 2.8 right of the median 1
    const auto ops2 = RenderHistogram(skewed, o, W, H, FixedWidth);
    const auto l2 = ComputeHistogramLayout(skewed, o, W, H, FixedWidth);
    EXPECT_EQ(FindImage(ops2, TChartImage::MedianGlyph)->X1, l2.X(1) - 9);
    EXPECT_EQ(FindImage(ops2, TChartImage::MeanGlyph)->X1, l2.X(2.8) + 2);
}

TEST(HistogramRender, DistributionFunctionScalesEndAtTheLargestCountAndAt100) {
    std::vector<double> values;
    for (int i = 0; i < 37; ++i) values.push_back(i % 7 + i * 0.01);
    const auto d = Series(values);
    for (const char* options : {"1111010010000", "1121010010000"}) {
        SCOPED_TRACE(options);
        const auto o = Options(options);
        const auto l = ComputeHistogramLayout(d, o, W, H, FixedWidth);
        ASSERT_TRUE(l.DistributionMode);
        const auto ops = RenderHistogram(d, o, W, H, FixedWidth);
        const auto labels = LeftLabels(ops, l);
        ASSERT_FALSE(labels.empty());
        EXPECT_EQ(labels.front().Text, "0");
        EXPECT_EQ(labels.back().Text, options[2] == '1' ? "37" : "100");
        EXPECT_EQ(labels.back().Y1 + 7, l.FrameTop());  // the frame's top is the 100 % level
        EXPECT_EQ(OfKind(ops, TOpKind::Rect).front().Y1, l.FrameTop());
    }
}

TEST(HistogramRender, XLabelsUseTheDecimalCommaAndTheCaptionComesAfterTheStrip) {
    const auto d = Spread();
    const auto ops = RenderHistogram(d, Options(), W, H, FixedWidth);
    bool axisLabel = false;
    for (const auto& t : OfKind(ops, TOpKind::Text))
        if (t.Text.find(',') != std::string::npos) {
            axisLabel = true;
            EXPECT_EQ(t.Text.size() - t.Text.find(',') - 1, 6u);
            EXPECT_EQ(t.Text.find('.'), std::string::npos);
        }
    EXPECT_TRUE(axisLabel);
    ASSERT_GE(ops.size(), 2u);
    const TDrawOp& last = ops.back();
    EXPECT_EQ(last.Kind, TOpKind::Image);
    EXPECT_EQ(last.Image, TChartImage::PercentCaption);
    EXPECT_EQ(last.X1, 5);
    EXPECT_EQ(last.Y1, (H - 125) / 2);
    EXPECT_EQ(ops[ops.size() - 2].Kind, TOpKind::FillRect);
    EXPECT_EQ(ops[ops.size() - 2].X2, 19);
}

// Over spans from 1e-5 to 1e6, around zero and far from it, and at the
// sizes the window gives the chart: at least two x labels, none over the
// title-bar strip or past the picture's edge, none over another.
TEST(HistogramRender, XLabelsStayReadableOverEverySpan) {
    for (double span : {1e-5, 1e-4, 3e-3, 0.07, 1.0, 42.0, 5e3, 1e6})
        for (double centre : {0.0, 10.0, 99999.5, -2e6})
            for (int w : {300, 485, 760})
                for (const char* options : {"1121011010300", "1100000000000"}) {
                    SCOPED_TRACE("span " + std::to_string(span) + " centre " + std::to_string(centre) + " width " +
                                 std::to_string(w) + " options " + options);
                    const auto d = Series(
                        {centre - span / 2, centre - span / 4, centre, centre, centre + span / 3, centre + span / 2});
                    const auto o = Options(options);
                    const auto l = ComputeHistogramLayout(d, o, w, H, FixedWidth);
                    std::vector<std::pair<int, int>> labels;  // left, right
                    for (const auto& t : OfKind(RenderHistogram(d, o, w, H, FixedWidth), TOpKind::Text))
                        if (t.Y1 == l.B + 8) labels.emplace_back(t.X1, t.X1 + FixedWidth(t.Text));
                    EXPECT_GE(labels.size(), 2u);
                    for (std::size_t i = 0; i < labels.size(); ++i) {
                        EXPECT_GE(labels[i].first, 20);
                        EXPECT_LE(labels[i].second, w);
                        if (i > 0) {
                            EXPECT_LT(labels[i - 1].second, labels[i].first);
                        }
                    }
                }
}

TEST(HistogramRender, ValueLabelsSitOverTheirBars) {
    const auto d = Spread();
    const auto o = Options("1000000001000");
    const auto l = ComputeHistogramLayout(d, o, W, H, FixedWidth);
    const auto ops = RenderHistogram(d, o, W, H, FixedWidth);
    const auto bars = Bars(ops);
    const auto frames = OfKind(ops, TOpKind::FrameRect);
    ASSERT_EQ(frames.size(), bars.size());
    for (std::size_t j = 0; j < bars.size(); ++j) {
        EXPECT_EQ(frames[j].Y2, bars[j].Y1 - 5);
        EXPECT_EQ(frames[j].Y2 - frames[j].Y1, 15);
        const int middle = (frames[j].X1 + frames[j].X2) / 2;
        EXPECT_NEAR(middle, (bars[j].X1 + bars[j].X2) / 2, 2);
    }
    (void)l;
}

TEST(HistogramRender, EverySizeAndOptionSetEnds) {
    const auto d = Spread();
    const auto one = Series({7});
    for (const char* options : {"1121011010300", "1111011011600", "1122011012600", "1121011002100"})
        for (auto [w, h] : {std::pair{485, 358}, {120, 60}, {40, 30}, {20, 10}, {1, 1}}) {
            SCOPED_TRACE(std::string(options) + " " + std::to_string(w) + "x" + std::to_string(h));
            EXPECT_FALSE(RenderHistogram(d, Options(options), w, h, FixedWidth).empty());
            EXPECT_FALSE(RenderHistogram(one, Options(options), w, h, FixedWidth).empty());
        }
}

TEST(HistogramData, DamagedBlockKeepsOnlyTheClassesItHas) {
    SeriesStatistics stats;
    stats.Count = 3;
    stats.ClassCount = 5;
    stats.ClassBounds = {0, 1, 2};
    stats.Counts = {1, 2};
    stats.CumCounts = {1, 3};
    stats.RelFreq = {0.3, 0.7};
    stats.CumRelFreq = {0.3, 1};
    const auto d = CopyHistogramData(stats);
    EXPECT_EQ(d.ClassCount, 2);
    EXPECT_FALSE(RenderHistogram(d, Options(), W, H, FixedWidth).empty());
    stats.ClassBounds.clear();
    EXPECT_TRUE(RenderHistogram(CopyHistogramData(stats), Options(), W, H, FixedWidth).empty());
}

}  // namespace
}  // namespace vormid::charts
