// The Monte Carlo propagation: 10^6 trials of a 5-input non-linear model
//   Y = A*B*LN(C)/(D + E*A)
// (products, a quotient and a logarithm) on all cores, against the same
// draws evaluated with one walk of the equation per draw.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/Formula.h"
#include "core/GumModel.h"
#include "evaluation/MonteCarlo.h"
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
BENCHMARK(BM_MonteCarloMillionTrials)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

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

void BM_EquationBlocks(benchmark::State& state) {
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
        f.EvaluateBlock(pointers, n, values.data(), errors.data(), scratch);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_EquationBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
