#include "ChartDemos.h"

#include <QTemporaryDir>
#include <cmath>
#include <numbers>

#include "ui/DistributionChartLabel.h"

namespace vormid::test {

void SetupDistributionDemo(TDistributionChart& chart, TDistribution kind) {
    chart.SetColorGraph(QColor(84, 128, 171));
    chart.SetColorFill(QColor(249, 248, 242));
    chart.SetColorAVG(QColor(106, 174, 108));
    chart.SetColorLine(QColor(240, 167, 94));
    chart.SetOnLabel([](long double value, QString& v, QString& e) {
        DistributionChart1Label(TNumberFormatSettings{}, value, v, e);
    });
    chart.SetDistribution(kind);
    switch (kind) {
        case dc_Normal:
        case dc_DistributonT:
            chart.SetAVG(10.0);
            chart.SetParam1(0.25);
            chart.SetParam2(1.959964);  // 95 %
            break;
        case dc_LgNormal:
            chart.SetAVG(0.0);
            chart.SetParam1(0.6);
            chart.SetParam2(0.8);
            chart.SetLtdType(ll_Bottom);
            break;
        case dc_Trapez:
            chart.SetAVG(10.0);
            chart.SetParam1(0.3);
            chart.SetParam2(0.1);
            break;
        default:
            chart.SetAVG(10.0);
            chart.SetParam1(0.3);
            chart.SetParam2(0);
            break;
    }
}

QImage RenderDistributionDemo(TDistribution kind, QSize size) {
    TDistributionChart chart;
    chart.resize(size);
    SetupDistributionDemo(chart, kind);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    chart.render(&image);
    return image;
}

QString DistributionDemoName(TDistribution kind) {
    static const char* names[] = {"normal",    "lognormal", "t", "rectangle", "triangle",
                                  "trapezoid", "quadratic", "u", "cosine",    "halfcosine"};
    return QString::fromLatin1(names[kind]);
}

std::vector<double> DemoObservations(int n) {
    // A fixed linear congruential sequence through Box-Muller: the same
    // series on every machine.
    std::vector<double> values;
    unsigned long long state = 12345;
    auto uniform = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return ((state >> 11) + 0.5) / 9007199254740992.0;
    };
    while (static_cast<int>(values.size()) < n) {
        const double r = std::sqrt(-2 * std::log(uniform())), phi = 2 * std::numbers::pi * uniform();
        values.push_back(10.0 + 0.05 * r * std::cos(phi));
        values.push_back(10.0 + 0.05 * r * std::sin(phi));
    }
    values.resize(static_cast<std::size_t>(n));
    for (double& v : values) v = std::round(v * 1000) / 1000;  // as read off an instrument
    return values;
}

SeriesStatistics DemoStatistics(int n) {
    std::vector<double> values = DemoObservations(n);
    SeriesStatistics stats;
    ComputeSeriesStatistics(values, stats);
    return stats;
}

QImage RenderHistogramDemo(const char* options, int n) {
    QTemporaryDir dir;
    THistogram histogram;
    histogram.SetSettingsFile(dir.filePath(QStringLiteral("options.ini")));
    histogram.resize(487, 360);  // a 485 x 358 picture inside the border
    charts::THistogramOptions parsed;
    charts::ParseHistogramOptions(options, parsed);
    for (int i = 0; i < charts::kHistogramOptionCount; ++i) histogram.SetIntOption(i, parsed.Get(i));
    for (int i : {0, 1, 5, 6, 7, 12}) histogram.SetBoolOption(i, parsed.On(i));
    histogram.SetData(DemoStatistics(n));
    return histogram.Picture();
}

}  // namespace vormid::test
