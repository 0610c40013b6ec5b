// LoadModel of a model with 200 Type A quantities of 1000 observations each,
// from a file on disk: read, unpack, parse and the statistics of every series.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "persistence/ModelIO.h"

namespace {

std::string MakeModelFile() {
    using namespace vormid;
    TGumModel model;
    TDisplayState display;
    std::mt19937 rng(4);
    std::normal_distribution<double> noise(100.0, 0.2);
    for (int k = 0; k < 200; ++k) {
        TGumParam& q = *model.Params.Add();
        q.Name = "A" + std::to_string(k);
        q.SetKind(TParamKind::TypeA);
        q.SetObservationCount(1000);
        std::vector<double> readings;
        for (int i = 0; i < 1000; ++i) readings.push_back(noise(rng));
        q.SetReadings(readings, q.RowValues);
    }
    TGumModelFile file;
    file.FileName = (std::filesystem::temp_directory_path() / "vormid-bench-load.gmf").string();
    SaveModel(file, model, display);
    return file.FileName;
}

void BM_LoadModel200x1000(benchmark::State& state) {
    using namespace vormid;
    const std::string path = MakeModelFile();
    for (auto _ : state) {
        TGumModelFile file;
        file.FileName = path;
        TGumModel model;
        TDisplayState display;
        LoadModel(file, model, display);
        benchmark::DoNotOptimize(model.Params.Count());
    }
    std::filesystem::remove(path);
}

}  // namespace

BENCHMARK(BM_LoadModel200x1000)->Unit(benchmark::kMillisecond);
