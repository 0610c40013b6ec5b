// CalculateBudgets on generated models of N Type B inputs: a sum, a product
// and a sum of squares. The whole run is measured: equation text,
// substitution, entry registration, compile and all 2N + 1 evaluations.
#include <benchmark/benchmark.h>

#include <string>

#include "core/GumModel.h"
#include "evaluation/BudgetCalculation.h"

namespace {

using namespace vormid;

enum class Shape { Sum, Product, SumOfSquares };

void BuildModel(TGumModel& m, int n, Shape shape) {
    TGumParam* y = m.Params.Add();
    y->Name = "Y";
    y->SetKind(TParamKind::Result);
    y->CoverageMethod = 2;
    std::string rhs;
    rhs.reserve(static_cast<std::size_t>(n) * 14);
    for (int i = 1; i <= n; ++i) {
        TGumParam* p = m.Params.Add();
        p->Name = "X" + std::to_string(i);
        p->SetKind(TParamKind::TypeB);
        p->BEvalType = 1;
        p->BValue = 1.0 + 1e-3 * i;
        p->StatedValue = 1e-4 * (1 + i % 7);
        p->SetDegreesOfFreedom(10 + i % 40);
        if (i > 1) rhs += shape == Shape::Product ? "*" : "+";
        rhs += p->Name;
        if (shape == Shape::SumOfSquares) rhs += "*" + p->Name;
    }
    m.Equation =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026{\\fonttbl{\\f0\\fnil\\fcharset204 "
        "Tahoma;}}\\viewkind4\\uc1\\pard\\f0\\fs16 Y = " +
        rhs + "\\par}";
}

void RunBudgets(benchmark::State& state, Shape shape) {
    TGumModel m;
    BuildModel(m, static_cast<int>(state.range(0)), shape);
    for (auto _ : state) {
        CalculateBudgets(m);
        benchmark::DoNotOptimize(m.Budgets.front()->CombinedUncertainty);
    }
    if (m.Budgets.front()->ErrorCode != 0) state.SkipWithError("budget failed");
    state.SetComplexityN(state.range(0));
}

void BM_BudgetSum(benchmark::State& state) { RunBudgets(state, Shape::Sum); }
void BM_BudgetProduct(benchmark::State& state) { RunBudgets(state, Shape::Product); }
void BM_BudgetSumOfSquares(benchmark::State& state) { RunBudgets(state, Shape::SumOfSquares); }

BENCHMARK(BM_BudgetSum)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BudgetProduct)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BudgetSumOfSquares)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
