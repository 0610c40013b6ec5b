// The model file container: layout, loads, saves and the display-section
// update, including damaged files and failed writes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <filesystem>

#include "persistence/GumModelFile.h"
#include "persistence/Messages.h"
#include "persistence/PackedStream.h"
#include "persistence/PersistenceError.h"
#include "tests/persistence/TestUtil.h"

namespace vormid {
namespace {
using test::Bytes;
using test::Hex;

void PackInto(TGumModelFile& f, int section, const Bytes& content) {
    f.Section(section).Clear();
    PackStream(TMemoryStream(content), f.Section(section));
}

Bytes Unpacked(TGumModelFile& f, int section) {
    f.Section(section).SetPosition(0);
    return UnpackStream(f.Section(section)).Bytes();
}

std::uint32_t U32At(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

bool Contains(const std::string& text, const char* utf8) { return text.find(msg::Cp1251(utf8)) != std::string::npos; }

TEST(ModelFile, EmptySectionsMakeA62ByteFile) {
    test::TempDir dir;
    TGumModelFile f;
    f.FileName = dir.File("empty.gmf");
    for (int i = 1; i <= 5; ++i) PackInto(f, i, {});
    f.Save();
    const Bytes disk = test::ReadFile(f.FileName);
    ASSERT_EQ(disk.size(), 62u);
    EXPECT_EQ(disk[0], kHeaderByte1);
    EXPECT_EQ(disk[1], kHeaderByte2);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(U32At(disk, 2 + 4 * i), 8u);
    EXPECT_EQ(f.WholeFile().Bytes(), disk);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(f.SectionOffset(i), 22 + 8 * (i - 1));
        EXPECT_EQ(f.SectionLength(i), 8u);
    }
}

TEST(ModelFile, LoadReadsSectionsAndKeepsHeaderBytes) {
    test::TempDir dir;
    TGumModelFile writer;
    writer.FileName = dir.File("m.gmf");
    for (int i = 1; i <= 5; ++i)
        PackInto(writer, i, Bytes(static_cast<std::size_t>(i * 10), static_cast<std::uint8_t>(i)));
    writer.Save();
    Bytes disk = test::ReadFile(writer.FileName);
    disk[0] = 0x12;  // someone else's header bytes
    disk[1] = 0x34;
    test::WriteFile(writer.FileName, disk);

    TGumModelFile f;
    f.FileName = writer.FileName;
    for (int round = 0; round < 2; ++round) {
        f.Load();
        EXPECT_EQ(f.HeaderByte1, 0x12);
        EXPECT_EQ(f.HeaderByte2, 0x34);
        EXPECT_EQ(f.WholeFile().Bytes(), disk);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_EQ(f.Section(i).Position(), 0u);
            EXPECT_EQ(f.SectionLength(i), writer.SectionLength(i));
            EXPECT_EQ(f.SectionOffset(i), writer.SectionOffset(i));
            EXPECT_EQ(Unpacked(f, i), Bytes(static_cast<std::size_t>(i * 10), static_cast<std::uint8_t>(i)));
        }
    }
    // A second, different file leaves nothing of the first behind.
    TGumModelFile small;
    small.FileName = dir.File("small.gmf");
    for (int i = 1; i <= 5; ++i) PackInto(small, i, {});
    small.Save();
    f.FileName = small.FileName;
    f.Load();
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(Unpacked(f, i).empty());
}

TEST(ModelFile, SectionLengthZeroIsAnEmptySection) {
    test::TempDir dir;
    Bytes file = Hex({0x47, 1, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const Bytes empty = Hex({4, 0, 0, 0, 0, 0, 0, 0});
    file.insert(file.end(), empty.begin(), empty.end());
    test::WriteFile(dir.File("z.gmf"), file);
    TGumModelFile f;
    f.FileName = dir.File("z.gmf");
    f.Load();
    EXPECT_EQ(f.Section(1).Size(), 0u);
    EXPECT_EQ(f.Section(2).Bytes(), empty);
    EXPECT_EQ(f.SectionOffset(3), 30);
}

TEST(ModelFile, OtherFilesAreNoModelAndSystemErrorsAreBulgarian) {
    test::TempDir dir;
    const struct {
        const char* name;
        std::string content;
        const char* said;
    } cases[] = {
        {"readme", "# Vormid\n\nA program for uncertainty budgets, long enough to fill a header.\n",
         "не е файл на модел"},
        {"png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(40, '\0'), "не е файл на модел"},
        {"export json", "{\n  \"format\": \"vormid-model\", \"version\": 1, \"quantities\": []\n}\n",
         "vormid-cli import"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string(c.name) + ".gmf");
        test::WriteFile(path, Bytes(c.content.begin(), c.content.end()));
        TGumModelFile f;
        f.FileName = path;
        try {
            f.Load();
            ADD_FAILURE() << "loaded";
        } catch (const TModelFileError& e) {
            EXPECT_TRUE(Contains(e.what(), c.said)) << e.what();
            EXPECT_FALSE(Contains(e.what(), "повреден")) << e.what();
        }
    }
    for (const auto& [path, said] : {std::pair<std::string, const char*>{dir.File("missing.gmf"), "няма такъв файл"},
                                     {dir.File(""), "папка"},
                                     {"/dev/null", "не е обикновен файл"}}) {
        TGumModelFile f;
        f.FileName = path;
        try {
            f.Load();
            ADD_FAILURE() << "loaded " << path;
        } catch (const TModelFileError& e) {
            EXPECT_TRUE(Contains(e.what(), said)) << e.what();
        }
    }
}

TEST(ModelFile, DamagedContainersAreRefusedNamingTheFile) {
    test::TempDir dir;
    Bytes valid(22, 0);
    valid[0] = 0x47;
    valid[2] = 8;
    valid.insert(valid.end(), {4, 0, 0, 0, 0, 0, 0, 0});
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty file", {}},
        {"header cut short", Bytes(valid.begin(), valid.begin() + 21)},
        {"section past the end", Bytes(valid.begin(), valid.end() - 1)},
        {"huge length",
         [&] {
             Bytes b = valid;
             b[9] = 0xFF;
             return b;
         }()},
        {"all lengths 0xFFFFFFFF",
         [&] {
             Bytes b = valid;
             std::fill(b.begin() + 2, b.begin() + 22, 0xFF);
             return b;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File("bad.gmf");
        test::WriteFile(path, c.file);
        TGumModelFile f;
        f.FileName = path;
        PackInto(f, 2, Hex({1, 2, 3}));  // something of an earlier model
        try {
            f.Load();
            ADD_FAILURE() << "loaded";
        } catch (const TModelFileError& e) {
            // Bytes that do not even frame as a model are no model at all.
            EXPECT_TRUE(Contains(e.what(), "е повреден") || Contains(e.what(), "не е файл на модел")) << e.what();
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
        }
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(f.Section(i).Size(), 0u);
    }
}

TEST(ModelFile, FailedLoadForgetsTheLayoutOfTheFileBefore) {
    test::TempDir dir;
    TGumModelFile f;
    f.FileName = dir.File("m.gmf");
    for (int i = 1; i <= 5; ++i) PackInto(f, i, Bytes(static_cast<std::size_t>(i * 10), 7));
    f.Save();
    f.Load();
    ASSERT_GT(f.SectionLength(5), 0u);
    Bytes cut = test::ReadFile(f.FileName);
    cut.pop_back();
    test::WriteFile(f.FileName, cut);
    EXPECT_THROW(f.Load(), TModelFileError);
    EXPECT_EQ(f.WholeFile().Size(), 0u);
    EXPECT_FALSE(f.HasDiskFile());
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(f.SectionLength(i), 0u);
        EXPECT_EQ(f.SectionOffset(i), 0);
    }
}

TEST(ModelFile, MissingFileIsReportedAsUnopenable) {
    test::TempDir dir;
    TGumModelFile f;
    f.FileName = dir.File("missing.gmf");
    try {
        f.Load();
        ADD_FAILURE();
    } catch (const TModelFileError& e) {
        EXPECT_TRUE(Contains(e.what(), "не може да бъде отворен"));
        EXPECT_NE(std::string(e.what()).find("missing.gmf"), std::string::npos);
    }
    f.FileName = dir.Path().string();  // a directory
    EXPECT_THROW(f.Load(), TModelFileError);
}

class DisplaySection : public testing::Test {
protected:
    void SetUp() override {
        file.FileName = dir.File("d.gmf");
        for (int i = 1; i <= 4; ++i)
            PackInto(file, i, Bytes(static_cast<std::size_t>(100 * i), static_cast<std::uint8_t>(i)));
        PackInto(file, 5, test::RandomBytes(300, 5));
        file.Save();
        saved = test::ReadFile(file.FileName);
    }
    // The file reloads; sections 1..4 are unchanged, section 5 holds `display`.
    void ExpectFileWith(const Bytes& display) {
        const Bytes disk = test::ReadFile(file.FileName);
        TGumModelFile check;
        check.FileName = file.FileName;
        check.Load();
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(Unpacked(check, i), Bytes(static_cast<std::size_t>(100 * i), static_cast<std::uint8_t>(i)));
        EXPECT_EQ(Unpacked(check, 5), display);
        EXPECT_EQ(U32At(disk, 18), check.Section(5).Size());
        EXPECT_EQ(disk.size(),
                  22u + U32At(disk, 2) + U32At(disk, 6) + U32At(disk, 10) + U32At(disk, 14) + U32At(disk, 18));
        EXPECT_EQ(file.WholeFile().Bytes(), disk);
        EXPECT_EQ(file.SectionLength(5), U32At(disk, 18));
    }
    test::TempDir dir;
    TGumModelFile file;
    Bytes saved;
};

TEST_F(DisplaySection, ShorterAndLongerSectionsReplaceOnlySectionFive) {
    for (std::size_t size : {std::size_t{10}, std::size_t{5000}, std::size_t{0}, std::size_t{300}}) {
        SCOPED_TRACE(size);
        const Bytes display = test::RandomBytes(size, static_cast<std::uint32_t>(size) + 1);
        PackInto(file, 5, display);
        file.WriteDisplaySection();
        ExpectFileWith(display);
        EXPECT_EQ(dir.EntryCount(), 1u) << "no temporary file is left";
    }
}

TEST_F(DisplaySection, UnchangedSettingsLeaveTheFileAndItsTimeAlone) {
    const Bytes display = Hex({1, 2, 3});
    PackInto(file, 5, display);
    file.WriteDisplaySection();
    namespace fs = std::filesystem;
    const auto before = fs::last_write_time(file.FileName);
    // Even a file nobody may write takes the same settings without a failure.
    fs::permissions(file.FileName, fs::perms::owner_read, fs::perm_options::replace);
    fs::last_write_time(file.FileName, before - std::chrono::hours(1));
    const auto older = fs::last_write_time(file.FileName);
    PackInto(file, 5, display);
    EXPECT_NO_THROW(file.WriteDisplaySection());
    EXPECT_EQ(fs::last_write_time(file.FileName), older);
    fs::permissions(file.FileName, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    ExpectFileWith(display);
}

TEST_F(DisplaySection, UsesTheFileOnDiskNotTheStreamOfAnEarlierLoad) {
    // Loaded, then saved with new content by Save: the update builds on the
    // saved file.
    TGumModelFile f;
    f.FileName = file.FileName;
    f.Load();
    for (int i = 1; i <= 4; ++i) PackInto(f, i, Bytes(3, 0xEE));
    f.Save();
    PackInto(f, 5, Hex({7, 7}));
    f.WriteDisplaySection();
    TGumModelFile check;
    check.FileName = f.FileName;
    check.Load();
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(Unpacked(check, i), Bytes(3, 0xEE));
    EXPECT_EQ(Unpacked(check, 5), Hex({7, 7}));
}

TEST_F(DisplaySection, LeavesAFileThatIsNoModelFileAlone) {
    const Bytes cases[] = {
        Hex({'h', 'e', 'l', 'l', 'o'}), Bytes(200, 0x41),
        [&] {
            Bytes b = saved;
            b[22] ^= 1;
            return b;
        }(),  // section 1 framing broken
    };
    for (const auto& content : cases) {
        test::WriteFile(file.FileName, content);
        PackInto(file, 5, Hex({1}));
        try {
            file.WriteDisplaySection();
            ADD_FAILURE();
        } catch (const TModelFileError& e) {
            EXPECT_NE(std::string(e.what()).find(file.FileName), std::string::npos);
        }
        EXPECT_EQ(test::ReadFile(file.FileName), content);
    }
    std::filesystem::remove(file.FileName);
    EXPECT_THROW(file.WriteDisplaySection(), TModelFileError);
    EXPECT_FALSE(std::filesystem::exists(file.FileName));
}

TEST_F(DisplaySection, ReplacesTrailingBytesAfterSectionFive) {
    Bytes withTail = saved;
    withTail.insert(withTail.end(), {1, 2, 3});
    test::WriteFile(file.FileName, withTail);
    PackInto(file, 5, Hex({9}));
    file.WriteDisplaySection();
    ExpectFileWith(Hex({9}));
}

TEST(ModelFileSave, FailedWriteLeavesTheOldFileAndNoTemporary) {
    test::TempDir dir;
    // A directory in place of the file: the rename over it fails.
    const std::string path = dir.File("model.gmf");
    std::filesystem::create_directory(path);
    test::WriteFile(dir.File("model.gmf/inside"), Hex({1}));
    TGumModelFile f;
    f.FileName = path;
    for (int i = 1; i <= 5; ++i) PackInto(f, i, {});
    try {
        f.Save();
        ADD_FAILURE();
    } catch (const TModelFileError& e) {
        EXPECT_TRUE(Contains(e.what(), "не може да бъде записан"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(dir.EntryCount(), 1u);
    // No directory to write into.
    f.FileName = dir.File("no/such/dir/m.gmf");
    EXPECT_THROW(f.Save(), TModelFileError);
    // The whole-file stream still describes nothing written.
    EXPECT_EQ(f.WholeFile().Size(), 0u);
}

TEST(ModelFileSave, ReplacesThroughASymbolicLinkAndKeepsPermissions) {
    test::TempDir dir;
    const std::string real = dir.File("real.gmf");
    const std::string link = dir.File("link.gmf");
    test::WriteFile(real, Hex({0}));
    std::filesystem::permissions(real, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(real, link);
    TGumModelFile f;
    f.FileName = link;
    for (int i = 1; i <= 5; ++i) PackInto(f, i, {});
    f.Save();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadFile(real).size(), 62u);
    EXPECT_EQ(std::filesystem::status(real).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(ModelFile, ClearAllEmptiesEverything) {
    test::TempDir dir;
    TGumModelFile f;
    f.FileName = dir.File("c.gmf");
    for (int i = 1; i <= 5; ++i) PackInto(f, i, Hex({1}));
    f.Save();
    f.ClearSections();
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(f.Section(i).Size(), 0u);
    EXPECT_GT(f.WholeFile().Size(), 0u);
    PackInto(f, 1, Hex({1}));
    f.ClearAll();
    EXPECT_EQ(f.WholeFile().Size(), 0u);
    EXPECT_EQ(f.Section(1).Size(), 0u);
}

}  // namespace
}  // namespace vormid
