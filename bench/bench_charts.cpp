// Renders of the two charts: the histogram of a 10 000-observation series
// (the Type A page re-renders it after every edited cell, target <= 10 ms)
// and each distribution kind at the Type B page's size of 351 x 194.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>

#include "charts/DistributionChart.h"
#include "charts/Histogram.h"

namespace {

using namespace vormid;

// One application for the whole run, on the offscreen platform unless the
// caller chose another.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "bench_charts";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

SeriesStatistics Statistics(int n) {
    std::vector<double> values;
    unsigned long long state = 7;
    auto uniform = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return ((state >> 11) + 0.5) / 9007199254740992.0;
    };
    for (int i = 0; i < n; ++i)
        values.push_back(10 + 0.05 * std::sqrt(-2 * std::log(uniform())) * std::cos(2 * std::numbers::pi * uniform()));
    SeriesStatistics stats;
    ComputeSeriesStatistics(values, stats);
    return stats;
}

// SetData as the page calls it: copy, normal curve, layout, render, copy to
// the child; every option of the toolbar on.
void BM_HistogramSetData(benchmark::State& state) {
    EnsureApplication();
    const SeriesStatistics stats = Statistics(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    THistogram histogram;
    histogram.SetSettingsFile(dir.filePath("options.ini"));
    histogram.resize(487, 360);
    for (int i : {0, 1, 5, 6}) histogram.SetBoolOption(i, true);
    histogram.SetIntOption(2, 2);
    histogram.SetIntOption(3, 1);
    histogram.SetIntOption(8, static_cast<int>(state.range(1)));
    histogram.SetIntOption(9, 1);
    histogram.SetIntOption(10, 3);
    for (auto _ : state) {
        histogram.SetData(stats);
        benchmark::DoNotOptimize(histogram.Picture().constBits());
    }
    state.SetLabel(state.range(1) ? "distribution function" : "histogram");
}
BENCHMARK(BM_HistogramSetData)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

void BM_DistributionPaint(benchmark::State& state) {
    EnsureApplication();
    const auto kind = static_cast<TDistribution>(state.range(0));
    TDistributionChart chart;
    chart.resize(351, 194);
    chart.SetOnLabel([](long double v, QString& V, QString&) { V = QString::number(static_cast<double>(v)); });
    chart.SetDistribution(kind);
    chart.SetAVG(kind == dc_LgNormal ? 0 : 10);
    chart.SetParam1(kind == dc_LgNormal ? 0.6 : 0.3);
    chart.SetParam2(kind == dc_LgNormal ? 0.8 : kind == dc_Trapez ? 0.1 : 2);
    QImage image(351, 194, QImage::Format_RGB32);
    for (auto _ : state) {
        chart.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DistributionPaint)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

}  // namespace
