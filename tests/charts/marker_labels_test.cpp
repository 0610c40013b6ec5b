// Places of the distribution chart's marker labels, without painting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "charts/DistributionShape.h"
#include "charts/MarkerLabels.h"

namespace vormid::charts {
namespace {

// A label as long as the value written with ten significant digits, six
// pixels per character.
int LabelWidth(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", value);
    return 6 * static_cast<int>(std::string(buf).size());
}

// Every kind at the chart's smallest and usual sizes, with values from
// 1e-5 to 1e6 and half-widths from 1e-5 to 1e6: no label over another or
// past the chart's edges, and at the usual size every label has room.
TEST(MarkerLabels, NeverMeetNorLeaveTheChart) {
    for (int kind = 0; kind <= 9; ++kind)
        for (double avg : {0.0, 1.0050125209, 1e-5, 123456.789, 1e6, -2.5e6})
            for (double half : {1e-5, 0.0025, 1.0, 350.0, 1e6})
                for (int w : {240, 351, 620}) {
                    SCOPED_TRACE("kind " + std::to_string(kind) + " value " + std::to_string(avg) + " half " +
                                 std::to_string(half) + " width " + std::to_string(w));
                    TChartProperties p;
                    p.Distribution = kind;
                    p.AVG = avg;
                    p.Param1 = kind == dc_LgNormal ? 0.5 : half;
                    p.Param2 = kind == dc_Trapez ? half / 2 : kind == dc_LgNormal ? 0.1 : 2.0;
                    p.LtdType = kind == dc_LgNormal && avg > 1 ? ll_Bottom : ll_Top;
                    const auto sampling = SampleLogNormal(p.Param1, p.Param2, p.AVG, static_cast<TLgLimit>(p.LtdType));
                    const auto pic = BuildDistributionPicture(p, sampling, w, 194);
                    std::vector<TLabelBox> boxes;
                    for (const auto& m : pic.Markers)
                        boxes.push_back({m.LabelX, m.Align, LabelWidth(m.Label), m.Kind == TMarker::Value ? 1 : 0});
                    const auto places = PlaceMarkerLabels(boxes, 0, w, 4);
                    ASSERT_EQ(places.size(), boxes.size());
                    std::vector<std::pair<int, int>> spans;
                    for (std::size_t i = 0; i < places.size(); ++i) {
                        if (!places[i]) continue;
                        spans.emplace_back(*places[i], *places[i] + boxes[i].Width);
                        EXPECT_GE(*places[i], 0);
                        EXPECT_LE(*places[i] + boxes[i].Width, w);
                    }
                    std::sort(spans.begin(), spans.end());
                    for (std::size_t i = 1; i < spans.size(); ++i) {
                        EXPECT_LE(spans[i - 1].second + 4, spans[i].first);
                    }
                    if (w >= 351) {
                        EXPECT_EQ(spans.size(), boxes.size());
                    }
                }
}

TEST(MarkerLabels, StayUnderTheirMarkersWhenThereIsRoom) {
    const auto places = PlaceMarkerLabels({{175, 1, 40, 1}, {50, 1, 40, 0}, {300, 1, 40, 0}}, 0, 351, 4);
    EXPECT_EQ(places[0], 155);
    EXPECT_EQ(places[1], 30);
    EXPECT_EQ(places[2], 280);
    // Too close: pushed apart, the first stays left of the second.
    const auto close = PlaceMarkerLabels({{100, 1, 60, 1}, {110, 1, 60, 0}}, 0, 351, 4);
    EXPECT_EQ(*close[0] + 60 + 4, *close[1]);
    // At the edge: kept inside.
    EXPECT_EQ(PlaceMarkerLabels({{346, 1, 60, 0}}, 0, 351, 4)[0], 291);
    // No room for both: the value's label stays.
    const auto narrow = PlaceMarkerLabels({{50, 1, 60, 1}, {60, 1, 60, 0}}, 0, 100, 4);
    EXPECT_TRUE(narrow[0].has_value());
    EXPECT_FALSE(narrow[1].has_value());
}

}  // namespace
}  // namespace vormid::charts
