// The whole vormid-cli process (start-up, load, calculation, JSON output) on
// generated models, run as a child process like a batch script would:
//   Y = X1*X1 + ... + X1000*X1000 with 1000 Type B inputs,
//   Y = X1 + ... + X200 with 200 Type A inputs of 1000 observations each.
// The models are written once with the tool's own "import" command.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/cli/RunProcess.h"

namespace {

using nlohmann::ordered_json;

// The exit status; standard output goes to /dev/null, so the figure is the tool's own work.
int Cli(const std::vector<std::string>& args) {
    vormid::test::ProcessOptions options;
    options.Output = "/dev/null";
    return vormid::test::RunProcess(VORMID_CLI_PATH, args, options).Status;
}

std::string Rtf(const std::string& line) { return "{\\rtf1\\ansi\\ansicpg1251 " + line + "\\par}"; }

ordered_json SumOfSquaresModel(int n) {
    ordered_json q = ordered_json::array();
    std::string rhs;
    q.push_back({{"name", "Y"}, {"kind", "Result"}});
    for (int i = 1; i <= n; ++i) {
        const std::string x = "X" + std::to_string(i);
        rhs += (i > 1 ? "+" : "") + x + "*" + x;
        q.push_back({{"name", x},
                     {"kind", "TypeB"},
                     {"eval_type", "standard"},
                     {"value", 1.0 + 0.001 * i},
                     {"stated_value", 0.01},
                     {"degrees_of_freedom", 1 + i % 100}});
    }
    return {{"equation", Rtf("Y = " + rhs)}, {"quantities", q}};
}

ordered_json TypeAModel(int n, int observations) {
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 0.01);
    ordered_json q = ordered_json::array();
    std::string rhs;
    q.push_back({{"name", "Y"}, {"kind", "Result"}});
    for (int i = 1; i <= n; ++i) {
        const std::string x = "X" + std::to_string(i);
        rhs += (i > 1 ? "+" : "") + x;
        ordered_json obs = ordered_json::array();
        for (int k = 0; k < observations; ++k) obs.push_back(i + noise(rng));
        q.push_back({{"name", x}, {"kind", "TypeA"}, {"observations", obs}});
    }
    return {{"equation", Rtf("Y = " + rhs)}, {"quantities", q}};
}

const std::filesystem::path& WorkDir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("vormid_bench_cli_" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] { std::filesystem::remove_all(WorkDir()); });
        return d;
    }();
    return dir;
}

// Writes the model once per run of the benchmark program.
std::string ModelFile(const std::string& name, const ordered_json& doc) {
    const auto& dir = WorkDir();
    const std::string json_path = (dir / (name + ".json")).string();
    const std::string gmf_path = (dir / (name + ".gmf")).string();
    std::ofstream(json_path) << doc.dump();
    if (Cli({"import", json_path, "-o", gmf_path}) != 0) throw std::runtime_error("import failed");
    return gmf_path;
}

void RunBudget(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        const int status = Cli({"budget", path, "--format", "json"});
        if (status != 0) state.SkipWithError("vormid-cli budget did not succeed");
    }
}

void BM_CliBudgetSumOfSquares1000TypeB(benchmark::State& state) {
    static const std::string path = ModelFile("squares1000", SumOfSquaresModel(1000));
    RunBudget(state, path);
}
BENCHMARK(BM_CliBudgetSumOfSquares1000TypeB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_CliBudget200TypeAx1000(benchmark::State& state) {
    static const std::string path = ModelFile("typea200", TypeAModel(200, 1000));
    RunBudget(state, path);
}
BENCHMARK(BM_CliBudget200TypeAx1000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Monte Carlo: 10^6 trials, exactly, of Y = A*B/C + LN(D)*E on every core,
// from start-up to the JSON figures; beside it the same draws and figures
// by numpy arrays (bench/mc_numpy.py), when the machine has numpy.
ordered_json SpeedModel() {
    const auto input = [](const char* name, double x, double u, const char* distribution) {
        ordered_json q = {{"name", name}, {"kind", "TypeB"}, {"value", x}, {"stated_value", u}};
        if (distribution == nullptr) {
            q["eval_type"] = "standard";
        } else {
            q["eval_type"] = "interval";
            q["distribution"] = distribution;
        }
        return q;
    };
    ordered_json q = ordered_json::array();
    q.push_back({{"name", "Y"}, {"kind", "Result"}});
    q.push_back(input("A", 2.0, 0.1, nullptr));
    q.push_back(input("B", 3.0, 0.3, "rectangular"));
    q.push_back(input("C", 5.0, 0.5, nullptr));
    q.push_back(input("D", 1.5, 0.2, "rectangular"));
    q.push_back(input("E", 0.5, 0.05, nullptr));
    return {{"equation", Rtf("Y = A*B/C + LN(D)*E")}, {"quantities", q}};
}

void BM_CliMonteCarloMillionTrials(benchmark::State& state) {
    static const std::string path = ModelFile("mcspeed", SpeedModel());
    for (auto _ : state)
        if (Cli({"mc", path, "--fixed", "1000000", "--format", "json"}) != 0)
            state.SkipWithError("vormid-cli mc did not succeed");
}
BENCHMARK(BM_CliMonteCarloMillionTrials)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_NumpyMonteCarloMillionTrials(benchmark::State& state) {
    vormid::test::ProcessOptions options;
    options.Output = "/dev/null";
    const std::vector<std::string> probe = {"-c", "import numpy"};
    if (vormid::test::RunProcess("/usr/bin/python3", probe, options).Status != 0) {
        state.SkipWithError("no numpy for /usr/bin/python3 (Debian: python3-numpy)");
        return;
    }
    const std::vector<std::string> args = {VORMID_BENCH_DIR "/mc_numpy.py", "1000000"};
    for (auto _ : state)
        if (vormid::test::RunProcess("/usr/bin/python3", args, options).Status != 0)
            state.SkipWithError("mc_numpy.py did not succeed");
}
BENCHMARK(BM_NumpyMonteCarloMillionTrials)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Start-up alone, for reference: the floor under both figures.
void BM_CliVersion(benchmark::State& state) {
    for (auto _ : state) Cli({"--version"});
}
BENCHMARK(BM_CliVersion)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
