// Speed of the series statistics and of the quantile searches.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/Statistics.h"

namespace {

void BM_SeriesStatistics10000(benchmark::State& state) {
    std::mt19937 rng(12345);
    std::normal_distribution<double> dist(10.0, 0.5);
    std::vector<double> data(10000);
    for (double& x : data) x = dist(rng);
    vormid::SeriesStatistics stats;
    for (auto _ : state) {
        std::vector<double> work = data;  // the computation sorts a working copy
        vormid::ComputeSeriesStatistics(work, stats);
        benchmark::DoNotOptimize(stats.KsDistance);
    }
}
BENCHMARK(BM_SeriesStatistics10000)->Unit(benchmark::kMicrosecond);

void BM_NormalQuantile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vormid::NormalQuantile(1, 0, 0.025));
}
BENCHMARK(BM_NormalQuantile)->Unit(benchmark::kMicrosecond);

void BM_StudentQuantile(benchmark::State& state) {
    const int nu = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(vormid::StudentQuantile(nu, 0.025));
}
BENCHMARK(BM_StudentQuantile)->Arg(1)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

// nu = 1 at P = 0.025 lies below the start of the walk and is solved in
// closed form; P = 0.05 shows the stepped walk for nu = 1.
void BM_StudentQuantileNu1Stepped(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vormid::StudentQuantile(1, 0.05));
}
BENCHMARK(BM_StudentQuantileNu1Stepped)->Unit(benchmark::kMicrosecond);

void BM_CoverageProbabilityFromFactor(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vormid::CoverageProbabilityFromFactor(2.0));
}
BENCHMARK(BM_CoverageProbabilityFromFactor)->Unit(benchmark::kMicrosecond);

}  // namespace
