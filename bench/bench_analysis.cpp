// "Анализ на модела" of a large equation, and filling the quantity page.
#include <benchmark/benchmark.h>

#include <string>

#include "core/Tokenizer.h"
#include "evaluation/ModelAnalysis.h"

namespace {

// 1000 lines over 2000 input quantities: R<i> = X<2i> * X<2i+1> + R<i-1>.
std::string LargeEquation() {
    std::string s;
    for (int i = 0; i < 1000; ++i) {
        s += "R" + std::to_string(i) + " = X" + std::to_string(2 * i) + " * X" + std::to_string(2 * i + 1);
        if (i > 0) s += " + R" + std::to_string(i - 1);
        s += vormid::kLineSeparator;
    }
    return s;
}

void BM_AnalyseLargeEquation(benchmark::State& state) {
    const std::string text = LargeEquation();
    vormid::TGumParams params;
    vormid::TDeletedQuantities deleted;
    vormid::AnalyseModel(text, params, deleted);  // the list exists, as after the first analysis
    for (auto _ : state) {
        vormid::TAnalysisOutcome out = vormid::AnalyseModel(text, params, deleted);
        benchmark::DoNotOptimize(out);
    }
    state.counters["quantities"] = params.Count();
}
BENCHMARK(BM_AnalyseLargeEquation)->Unit(benchmark::kMillisecond);

void BM_AnalyseLargeEquationFromEmpty(benchmark::State& state) {
    const std::string text = LargeEquation();
    for (auto _ : state) {
        vormid::TGumParams params;
        vormid::TDeletedQuantities deleted;
        benchmark::DoNotOptimize(vormid::AnalyseModel(text, params, deleted));
    }
}
BENCHMARK(BM_AnalyseLargeEquationFromEmpty)->Unit(benchmark::kMillisecond);

}  // namespace
