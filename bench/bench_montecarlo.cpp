// The Monte Carlo propagation: 10^6 trials of a 5-input non-linear model
//   Y = A*B*LN(C)/(D + E*A)
// (products, a quotient and a logarithm) on all cores and on one, against a
// plain loop that walks the equation once per draw, and the equation alone
// over the same draws walked once per draw, in blocks and in blocks of
// doubles.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/Formula.h"
#include "core/GumModel.h"
#include "evaluation/MonteCarlo.h"
#include "evaluation/MonteCarloInputs.h"
#include "evaluation/MonteCarloIntervals.h"
#include "evaluation/MonteCarloRandom.h"

namespace {

using namespace vormid;

const char* const kEquation = "A*B*LN(C)/(D+E*A)";

void Input(TGumModel& m, const char* name, double x, double u, std::uint8_t evalType) {
    TGumParam* p = m.Params.Add();
    p->Name = name;
    p->SetKind(TParamKind::TypeB);
    p->BEvalType = evalType;
    p->BValue = x;
    p->StatedValue = u;
}

void Model(TGumModel& m) {
    TGumParam* y = m.Params.Add();
    y->Name = "Y";
    y->SetKind(TParamKind::Result);
    Input(m, "A", 2.0, 0.1, 1);
    Input(m, "B", 3.0, 0.2, 2);
    Input(m, "C", 5.0, 0.5, 1);
    Input(m, "D", 1.0, 0.1, 2);
    Input(m, "E", 0.5, 0.05, 1);
    m.Equation = std::string("{\\rtf1\\ansi\\ansicpg1251 Y = ") + kEquation + "\\par}";
}

void BM_MonteCarloMillionTrials(benchmark::State& state) {
    TGumModel m;
    Model(m);
    TMonteCarloOptions o;
    o.MaxTrials = 1'000'000;
    o.Adaptive = false;
    o.Threads = static_cast<unsigned>(state.range(0));
    const std::string name = "Y";
    for (auto _ : state) {
        auto r = RunMonteCarlo(m, &name, o);
        benchmark::DoNotOptimize(r.front().Mean);
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
// Process CPU time, so that the workers count and not only the waiting caller.
BENCHMARK(BM_MonteCarloMillionTrials)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The same 10^6 trials done the plain way, for comparison: one thread, each
// trial drawing its five inputs and walking the equation once, then one sort
// of all results for the two intervals.
void BM_PlainLoopOneWalkPerDraw(benchmark::State& state) {
    TGumModel m;
    Model(m);
    TFormul f;
    f.Compile(kEquation);
    std::vector<mc::TInputLaw> laws;
    for (const std::string& name : f.SlotNames()) {
        std::string message;
        laws.emplace_back();
        if (!mc::LawOf(*m.Params.FindByName(name), laws.back(), message)) state.SkipWithError(message.c_str());
    }
    const std::size_t n = 1'000'000;
    std::vector<double> x(laws.size()), y(n);
    for (auto _ : state) {
        mc::TXoshiro256 g(1);
        long double sum = 0.0L, squares = 0.0L;
        for (std::size_t k = 0; k < n; ++k) {
            for (std::size_t i = 0; i < laws.size(); ++i) laws[i].DrawBlock(g, &x[i], 1);
            y[k] = f.EvaluateBound(x);
            sum += y[k];
            squares += static_cast<long double>(y[k]) * y[k];
        }
        std::sort(y.begin(), y.end());
        const mc::TInterval symmetric = mc::SymmetricInterval(y, 0.95);
        const mc::TInterval shortest = mc::ShortestInterval(y, 0.95);
        benchmark::DoNotOptimize(sum + squares + symmetric.Low + shortest.High);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
}
BENCHMARK(BM_PlainLoopOneWalkPerDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// The equation alone, 10^6 sets of values: one walk per draw against blocks.
std::vector<std::vector<double>> Draws(std::size_t n) {
    mc::TXoshiro256 g(1);
    std::vector<std::vector<double>> columns(5, std::vector<double>(n));
    const double x[] = {2.0, 3.0, 5.0, 1.0, 0.5}, u[] = {0.1, 0.2, 0.5, 0.1, 0.05};
    for (std::size_t i = 0; i < 5; ++i)
        for (double& v : columns[i]) v = x[i] + u[i] * g.Normal();
    return columns;
}

void BM_EquationOneWalkPerDraw(benchmark::State& state) {
    TFormul f;
    f.Compile(kEquation);
    const std::size_t n = 1'000'000;
    const auto columns = Draws(n);
    std::vector<double> x(5);
    for (auto _ : state) {
        double sum = 0.0;
        for (std::size_t k = 0; k < n; ++k) {
            for (std::size_t i = 0; i < 5; ++i) x[i] = columns[i][k];
            sum += f.EvaluateBound(x);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_EquationOneWalkPerDraw)->Unit(benchmark::kMillisecond);

// The whole block at once: EvaluateBlock, and EvaluateDraws, the same in
// double precision as the Monte Carlo run evaluates its draws.
template <auto Evaluate>
void BM_EquationOverBlock(benchmark::State& state) {
    TFormul f;
    f.Compile(kEquation);
    const std::size_t n = 1'000'000;
    const auto columns = Draws(n);
    std::vector<const double*> pointers;
    for (const auto& c : columns) pointers.push_back(c.data());
    std::vector<double> values(n);
    std::vector<std::uint8_t> errors(n);
    TFormulBlockScratch scratch;
    for (auto _ : state) {
        (f.*Evaluate)(pointers, n, values.data(), errors.data(), scratch);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_EquationOverBlock<&TFormul::EvaluateBlock>)->Name("BM_EquationBlocks")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EquationOverBlock<&TFormul::EvaluateDraws>)->Name("BM_EquationDraws")->Unit(benchmark::kMillisecond);

}  // namespace
