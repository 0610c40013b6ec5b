// The statistics table of a Type A quantity and its clipboard texts.
#include "core/GumParamStatTable.h"

#include <algorithm>
#include <cmath>

#include "core/NameMarkup.h"
#include "core/NumberFormatDecimal.h"

namespace vormid {

namespace {

TFormattedNumber Fixed3(double x) {
    if (!std::isfinite(x)) return {FormatGeneral15(x, ','), {}};
    numfmt::TDecimal d = numfmt::ToDecimal(x);
    numfmt::RoundToFraction(d, 3);
    return {numfmt::FixedText(d, 1, 3, ','), {}};
}

const char* YesNo(bool b) { return b ? "Да" : "Не"; }

std::string Html(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

TStatTable StatisticsTable(const TGumParam& q, const TNumberFormatSettings& settings) {
    const SeriesStatistics& s = q.Statistics;
    const int d = std::clamp(q.Decimals, 0, 20);
    const int ds = std::clamp(q.Decimals + settings.DefaultSignificantDigits, 0, 20);
    auto dec = [&](int places, double x) { return FormatDecimals(places, x, settings, ','); };
    TStatTable t;
    t[0] = {{{"Брой стойности", {std::to_string(s.Count), {}}},
             {"Дисперсия", FormatVarianceSignificant(s.StdDev * s.StdDev, settings)},
             {"Показател за съгл. с НР (K-S-L)", Fixed3(s.KsDistance)}}};
    t[1] = {{{"Минимум", dec(d, s.Min)},
             {"Станд. отклонение", dec(ds, s.StdDev)},
             {"Критерий за съгл. (95%)", Fixed3(s.KsCritical05)}}};
    t[2] = {{{"Максимум", dec(d, s.Max)},
             {"Станд. отклонение (Ср. ст.)", dec(ds, s.StdDevMean)},
             {"Критерий за съгл. (99%)", Fixed3(s.KsCritical01)}}};
    t[3] = {{{"Медиана", dec(ds, s.Median)},
             {"Сигма (Ср. ст.)", dec(ds, s.SigmaMean)},
             {"Съответства на НР (95%)", {YesNo(s.Normal05), {}}}}};
    t[4] = {{{"Средна стойност", dec(ds, s.Mean)},
             {"Асиметрия", Fixed3(s.Skewness)},
             {"Съответства на НР (99%)", {YesNo(s.Normal01), {}}}}};
    t[5] = {{{"Размах", dec(ds, s.Range)}, {"Ексес", Fixed3(s.Kurtosis)}, {}}};
    return t;
}

std::string StatisticsTsv(const TStatTable& table) {
    std::string out;
    for (const auto& row : table) {
        for (int k = 0; k < kStatPairs; ++k) {
            if (k > 0) out += '\t';
            const TStatCell& c = row[static_cast<std::size_t>(k)];
            out += c.Label;
            out += '\t';
            out += c.Value.Mantissa + Superscript(c.Value.Exponent);
        }
        out += '\n';
    }
    return out;
}

std::string StatisticsHtml(const TStatTable& table) {
    std::string out = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
    for (const auto& row : table) {
        out += "<tr>";
        for (const TStatCell& c : row) {
            out += "<td>" + Html(c.Label) + "</td><td align=\"right\">" + Html(c.Value.Mantissa);
            if (!c.Value.Exponent.empty()) out += "<sup>" + Html(c.Value.Exponent) + "</sup>";
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
    return out;
}

}  // namespace vormid
