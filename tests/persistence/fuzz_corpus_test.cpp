// The fuzz seed corpus and every input the fuzzers once found, run in the
// ordinary build: packed streams decode or are refused, model files load or
// fail with a message.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/SectionRoundTrip.h"
#include "persistence/ModelIO.h"
#include "persistence/PackedStream.h"
#include "persistence/PersistenceError.h"
#include "tests/persistence/TestUtil.h"

namespace vormid {
namespace {
namespace fs = std::filesystem;

std::vector<fs::path> Files(const char* folder) {
    std::vector<fs::path> out;
    const fs::path dir = fs::path(VORMID_FUZZ_CORPUS) / folder;
    if (fs::is_directory(dir))
        for (const auto& e : fs::directory_iterator(dir))
            if (e.is_regular_file()) out.push_back(e.path());
    return out;
}

TEST(FuzzCorpus, PackedStreamsDecodeOrAreRefused) {
    const auto files = Files("unpack");
    EXPECT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        TMemoryStream src(test::ReadFile(path.string()));
        try {
            UnpackStream(src);
        } catch (const TCorruptDataError&) {
        }
    }
}

TEST(FuzzCorpus, ModelFilesLoadOrFailWithAMessage) {
    const auto files = Files("model");
    EXPECT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        TGumModelFile file;
        file.FileName = path.string();
        TGumModel model;
        TDisplayState display;
        try {
            LoadModel(file, model, display);
        } catch (const TModelFileError& e) {
            EXPECT_NE(std::string(e.what()).find(path.filename().string()), std::string::npos);
        }
    }
}

TEST(FuzzCorpus, SectionsSaveStably) {
    const auto files = Files("sections");
    EXPECT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        const std::vector<std::uint8_t> bytes = test::ReadFile(path.string());
        EXPECT_TRUE(fuzz::SectionSavesStably(bytes.data(), bytes.size()));
    }
}

TEST(FuzzCorpus, ModelFilesLoadTheSameFromMemory) {
    for (const auto& path : Files("model")) {
        SCOPED_TRACE(path.string());
        TGumModelFile onDisk, inMemory;
        onDisk.FileName = inMemory.FileName = path.string();
        TGumModel a, b;
        TDisplayState da, db;
        std::string diskError, memoryError;
        try {
            LoadModel(onDisk, a, da);
        } catch (const TModelFileError& e) {
            diskError = e.what();
        }
        try {
            LoadModelFromBytes(inMemory, test::ReadFile(path.string()), b, db);
        } catch (const TModelFileError& e) {
            memoryError = e.what();
        }
        EXPECT_EQ(diskError, memoryError);
        EXPECT_EQ(a.Params.Count(), b.Params.Count());
        EXPECT_FALSE(inMemory.HasDiskFile());
        for (int i = 1; i <= kSectionCount; ++i) EXPECT_EQ(onDisk.Section(i).Bytes(), inMemory.Section(i).Bytes());
    }
}

TEST(FuzzCorpus, SeedModelWithEveryKindLoads) {
    TGumModelFile file;
    file.FileName = (fs::path(VORMID_FUZZ_CORPUS) / "model" / "every-kind.gmf").string();
    TGumModel model;
    TDisplayState display;
    LoadModel(file, model, display);
    EXPECT_EQ(model.Params.Count(), 20);
}

}  // namespace
}  // namespace vormid
