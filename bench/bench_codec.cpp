// Throughput of the run-length codec against memcpy and zlib level 1 on
// three 16 MiB inputs: random bytes, a typical model-file section pattern
// (zero-padded text fields, small integers and measured doubles), long runs.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

#include "persistence/Rle.h"
#include "persistence/SectionData.h"

namespace {
using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kSize = std::size_t{16} << 20;

Bytes RandomInput() {
    std::mt19937_64 rng(1);
    Bytes b(kSize);
    for (std::size_t i = 0; i < kSize; i += 8) {
        const std::uint64_t v = rng();
        std::memcpy(b.data() + i, &v, 8);
    }
    return b;
}

// Quantity-like records: name, description and units in their fixed fields,
// a few flags and counts, then a short series of measured values.
Bytes SectionInput() {
    std::mt19937 rng(2);
    std::normal_distribution<double> noise(20.0, 0.05);
    vormid::TSectionWriter w;
    int k = 0;
    while (w.Bytes().size() < kSize) {
        w.Text101("X" + std::to_string(k++));
        w.U8(3);
        w.Text256("\xD2\xE5\xEC\xEF\xE5\xF0\xE0\xF2\xF3\xF0\xE0 \xED\xE0 \xE2\xEE\xE4\xE0\xF2\xE0");
        w.Text101("\\'b0C");
        w.U8(0);
        w.I32(10);
        w.U8(0);
        w.U8(3);
        w.U8(0);
        w.U8(1);
        w.F64(0.0);
        w.Text101("");
        w.U8(0);
        w.I32(9);
        w.U8(0);
        std::vector<double> series(10);
        for (auto& x : series) x = std::round(noise(rng) * 1000.0) / 1000.0;
        w.Series(series);
    }
    Bytes b = w.Bytes();
    b.resize(kSize);
    return b;
}

Bytes RunsInput() {
    std::mt19937 rng(3);
    Bytes b(kSize);
    for (std::size_t i = 0; i < kSize;) {
        const std::size_t len = std::min<std::size_t>(kSize - i, 1000 + rng() % 60000);
        std::memset(b.data() + i, static_cast<int>(rng() % 256), len);
        i += len;
    }
    return b;
}

const Bytes& Input(int which) {
    static const Bytes inputs[] = {RandomInput(), SectionInput(), RunsInput()};
    return inputs[which];
}

const char* kNames[] = {"random", "section", "runs"};

void Label(benchmark::State& state, int which, std::size_t packed) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
    state.SetLabel(kNames[which]);
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(kSize);
}

void BM_RlePack(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const Bytes& in = Input(which);
    Bytes out(vormid::RlePackBound(in.size()));
    std::size_t n = 0;
    for (auto _ : state) {
        n = vormid::RlePack(in.data(), in.size(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
    Label(state, which, n);
}

void BM_RleUnpack(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const Bytes& in = Input(which);
    const Bytes packed = vormid::RlePack(in.data(), in.size());
    Bytes out(in.size());
    for (auto _ : state) {
        vormid::RleUnpack(packed.data() + 4, packed.size() - 4, out.data(), out.size());
        benchmark::DoNotOptimize(out.data());
    }
    if (out != in) state.SkipWithError("round trip differs");
    Label(state, which, packed.size());
}

void BM_Memcpy(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const Bytes& in = Input(which);
    Bytes out(in.size());
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), in.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    Label(state, which, in.size());
}

void BM_ZlibCompress1(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const Bytes& in = Input(which);
    Bytes out(compressBound(in.size()));
    uLongf n = 0;
    for (auto _ : state) {
        n = static_cast<uLongf>(out.size());
        compress2(out.data(), &n, in.data(), in.size(), 1);
        benchmark::DoNotOptimize(out.data());
    }
    Label(state, which, n);
}

void BM_ZlibUncompress1(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const Bytes& in = Input(which);
    Bytes packed(compressBound(in.size()));
    uLongf n = static_cast<uLongf>(packed.size());
    compress2(packed.data(), &n, in.data(), in.size(), 1);
    Bytes out(in.size());
    for (auto _ : state) {
        uLongf m = static_cast<uLongf>(out.size());
        uncompress(out.data(), &m, packed.data(), n);
        benchmark::DoNotOptimize(out.data());
    }
    Label(state, which, n);
}

}  // namespace

BENCHMARK(BM_RlePack)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RleUnpack)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress1)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompress1)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
