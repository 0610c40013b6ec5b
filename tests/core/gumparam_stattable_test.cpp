// The statistics table of a Type A quantity and its clipboard texts.
#include <gtest/gtest.h>

#include "core/GumParam.h"
#include "core/GumParamStatTable.h"

namespace vormid {
namespace {

TGumParam Series(std::vector<double> values) {
    TGumParam p;
    p.SetKind(TParamKind::TypeA);
    p.SetObservationCount(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) p.SetObservation(static_cast<int>(i), values[i]);
    p.RecomputeStatistics();
    return p;
}

TEST(StatisticsTable, LabelsAndFormatsOfTheEighteenCells) {
    TGumParam p = Series({1, 2, 3, 4});  // s = 1.2910, s/sqrt(n) = 0.6455
    p.Decimals = 2;
    const TStatTable t = StatisticsTable(p, TNumberFormatSettings{});  // S = 3
    struct Case {
        int row, pair;
        const char* label;
        const char* value;
    };
    for (const Case& c : {
             Case{0, 0, "Брой стойности", "4"},
             Case{1, 0, "Минимум", "1,00"},     // D decimals
             Case{3, 0, "Медиана", "2,50000"},  // D + S decimals
             Case{0, 1, "Дисперсия", "1,67"},   // significant digits, not D + S decimals
             Case{2, 1, "Станд. отклонение (Ср. ст.)", "0,64550"},
             Case{4, 1, "Асиметрия", "0,000"},  // three decimals
             Case{5, 1, "Ексес", "-1,360"},
             Case{1, 2, "Критерий за съгл. (95%)", "0,381"},
             Case{3, 2, "Съответства на НР (95%)", "Да"},
             Case{5, 2, "", ""},
         }) {
        const TStatCell& cell = t[static_cast<std::size_t>(c.row)][static_cast<std::size_t>(c.pair)];
        EXPECT_STREQ(cell.Label, c.label) << c.row << "," << c.pair;
        EXPECT_EQ(cell.Value.Mantissa, c.value) << c.label;
    }
}

TEST(StatisticsTable, ClipboardTexts) {
    TGumParam p = Series({1e7, 2e7, 3e7});
    p.Decimals = 0;
    const TStatTable t = StatisticsTable(p, TNumberFormatSettings{});
    const std::string tsv = StatisticsTsv(t);
    EXPECT_EQ(tsv.substr(0, tsv.find('\n')),
              "Брой стойности\t3\tДисперсия\t100x10¹²\tПоказател за съгл. с НР (K-S-L)\t0,000");
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), 6);
    const std::string html = StatisticsHtml(t);
    EXPECT_NE(html.find("<td>Минимум</td><td align=\"right\">10x10<sup>6</sup></td>"), std::string::npos);
    EXPECT_EQ(std::count(html.begin(), html.end(), '\n'), 8);
}

}  // namespace
}  // namespace vormid
