// Speed of the equation language: compiling and evaluating a typical model
// expression, and the budget's pattern on a 10 000-term sum of squares.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/Formula.h"

namespace {

using vormid::TFormul;
using vormid::TFormulDef;

// 51 nodes: operators, functions, names and literals of a realistic model.
const std::string kModel =
    "(A*B+C/D-SIN(E)*2,5)^2+SQRT(F*F+G*G)/(1+H)+LOG(10;I+1)-MAX(A;B;C)*COS(D)+ABS(E-F)*EXP(G/10)";

double Lookup(void*, const std::string& name) { return 1.0 + 0.25 * (name[0] - 'A'); }

std::size_t CountNodes(const TFormulDef* root) {
    std::size_t count = 0;
    std::vector<const TFormulDef*> stack{root};
    while (!stack.empty()) {
        const TFormulDef* n = stack.back();
        stack.pop_back();
        ++count;
        for (const auto& c : n->Children) stack.push_back(c.get());
    }
    return count;
}

void BM_Model_CompileAndEvaluate(benchmark::State& state) {
    for (auto _ : state) {
        TFormul f;
        f.Compile(kModel);
        benchmark::DoNotOptimize(f.Evaluate(&Lookup, nullptr));
    }
    TFormul f;
    f.Compile(kModel);
    state.counters["nodes"] = static_cast<double>(CountNodes(f.Root()));
}
BENCHMARK(BM_Model_CompileAndEvaluate);

void BM_Model_Evaluate(benchmark::State& state) {
    TFormul f;
    f.Compile(kModel);
    for (auto _ : state) benchmark::DoNotOptimize(f.Evaluate(&Lookup, nullptr));
}
BENCHMARK(BM_Model_Evaluate);

void BM_Model_EvaluateBound(benchmark::State& state) {
    TFormul f;
    f.Compile(kModel);
    std::vector<double> x;
    for (const auto& name : f.SlotNames()) x.push_back(Lookup(nullptr, name));
    for (auto _ : state) benchmark::DoNotOptimize(f.EvaluateBound(x));
}
BENCHMARK(BM_Model_EvaluateBound);

std::string SumOfSquares(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
        const std::string name = "X" + std::to_string(i);
        text += (i > 1 ? "+" : "") + name + "*" + name;
    }
    return text;
}

void BM_SumOfSquares_Compile(benchmark::State& state) {
    const std::string text = SumOfSquares(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TFormul f;
        benchmark::DoNotOptimize(f.Compile(text));
    }
}
BENCHMARK(BM_SumOfSquares_Compile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// What the budget does: one evaluation at the estimates, then each input
// shifted by + and - its uncertainty (2N + 1 evaluations).
void BM_SumOfSquares_Budget(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = SumOfSquares(n);
    for (auto _ : state) {
        TFormul f;
        f.Compile(text);
        std::vector<double> x(f.SlotNames().size());
        for (std::size_t i = 0; i < x.size(); ++i) x[i] = 1.0 + 1e-3 * static_cast<double>(i);
        double sum = f.EvaluateBound(x);
        for (std::size_t i = 0; i < x.size(); ++i) {
            sum += f.EvaluateWithSlot(i, x[i] + 0.01);
            sum += f.EvaluateWithSlot(i, x[i] - 0.01);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SumOfSquares_Budget)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same with both shifts of an input in one walk.
void BM_SumOfSquares_BudgetPairs(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = SumOfSquares(n);
    for (auto _ : state) {
        TFormul f;
        f.Compile(text);
        std::vector<double> x(f.SlotNames().size());
        for (std::size_t i = 0; i < x.size(); ++i) x[i] = 1.0 + 1e-3 * static_cast<double>(i);
        double sum = f.EvaluateBound(x);
        for (std::size_t i = 0; i < x.size(); ++i) {
            const auto r = f.EvaluateWithSlotPair(i, x[i] + 0.01, x[i] - 0.01);
            sum += r[0].Value + r[1].Value;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SumOfSquares_BudgetPairs)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
