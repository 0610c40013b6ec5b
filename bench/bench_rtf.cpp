// Reading and writing a 1 MiB description (target: 20 ms each).
#include <benchmark/benchmark.h>

#include <string>

#include "core/RtfReader.h"
#include "core/RtfWriter.h"

namespace {

// A description as rich-edit controls write it: Cyrillic as code-page bytes,
// formatting changes every few words, a line end every line.
std::string Description() {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    const std::string line =
        "\\'c8\\'e7\\'ec\\'e5\\'f0\\'e2\\'e0\\'ed\\'e5 \\b\\'ed\\'e0\\b0  \\cf1\\i\\'ec\\'e0\\'f1\\'e0\\cf0\\i0  "
        "m\\sub 0\\nosupersub  = 1 kg \\u937? U = 0,05 mg (k = 2)\\par\r\n";
    while (rtf.size() < (1u << 20)) rtf += line;
    return rtf + "}\r\n";
}

void BM_ReadRtf1MiB(benchmark::State& state) {
    const std::string rtf = Description();
    for (auto _ : state) benchmark::DoNotOptimize(vormid::ReadRtf(rtf));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadRtf1MiB)->Unit(benchmark::kMillisecond);

void BM_WriteRtf1MiB(benchmark::State& state) {
    const vormid::TRtfDocument doc = vormid::ReadRtf(Description());
    std::size_t size = 0;
    for (auto _ : state) {
        std::string out = vormid::WriteRtf(doc);
        size = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WriteRtf1MiB)->Unit(benchmark::kMillisecond);

}  // namespace
