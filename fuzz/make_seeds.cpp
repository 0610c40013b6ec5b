// Writes the seed corpus of the fuzz targets: packed streams of each form and
// model files of every kind of record. Run once; the output is kept in
// fuzz/corpus. Usage: make_seeds DIR
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>

#include "persistence/ModelIO.h"
#include "persistence/ModelSections.h"
#include "persistence/PackedStream.h"
#include "tests/persistence/SampleModel.h"

namespace {
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

void Put(const fs::path& file, const Bytes& b) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
}

Bytes Packed(const Bytes& content) {
    vormid::TMemoryStream out;
    vormid::PackStream(vormid::TMemoryStream(content), out);
    return out.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vormid;
    if (argc < 2) return 2;
    const fs::path root = argv[1];
    fs::create_directories(root / "unpack");
    fs::create_directories(root / "model");
    fs::create_directories(root / "sections");

    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);
    Bytes table = all;
    table.insert(table.end(), 6, 7);
    table.insert(table.end(), 300, 0x7A);
    Bytes big(70000, 0);
    for (std::size_t i = 0; i < big.size(); i += 97) big[i] = static_cast<std::uint8_t>(i);
    Put(root / "unpack" / "empty", Packed({}));
    Put(root / "unpack" / "escape", Packed({0x61, 0x62, 0x62, 0x62, 0x62, 0x62, 0x63}));
    Put(root / "unpack" / "table", Packed(table));
    Put(root / "unpack" / "two-chunks", Packed(big));

    TGumModel model;
    TDisplayState display;
    test::FillSampleModel(model, display);
    TGumModelFile file;
    file.FileName = (root / "model" / "every-kind.gmf").string();
    SaveModel(file, model, display);
    TGumModel empty;
    file.FileName = (root / "model" / "empty-model.gmf").string();
    SaveModel(file, empty, display);
    TGumModelFile bare;
    bare.FileName = (root / "model" / "62-bytes.gmf").string();
    for (int i = 1; i <= kSectionCount; ++i) PackStream(TMemoryStream(), bare.Section(i));
    bare.Save();

    auto section = [&](int i, auto write) {
        TSectionWriter w;
        write(w);
        Bytes b = {static_cast<std::uint8_t>(i)};
        b.insert(b.end(), w.Bytes().begin(), w.Bytes().end());
        Put(root / "sections" / ("section-" + std::to_string(i + 1)), b);
    };
    section(0, [&](TSectionWriter& w) { WriteHeaderSection(model, w); });
    section(1, [&](TSectionWriter& w) { WriteQuantitiesSection(model, w); });
    section(2, [&](TSectionWriter& w) { WriteCorrelationsSection(model, w); });
    section(3, [&](TSectionWriter& w) { WriteBudgetsSection(model, w); });
    section(4, [&](TSectionWriter& w) { WriteDisplaySection(model.FormatSettings, display, w); });
    return 0;
}
