// The build-time generator: what it accepts, what it refuses, what it writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "lexicon/tools/CaptionSource.h"

namespace vormid::lexicon {
namespace {

std::vector<SourceCaption> Parse(const std::string& text) {
    std::istringstream in(text);
    return ParseCaptionSource(in, "captions");
}

// The message of the refusal, or "" when the text was accepted.
std::string Refusal(const std::string& text) {
    try {
        Parse(text);
    } catch (const CaptionSourceError& error) {
        return error.what();
    }
    return "";
}

TEST(CaptionSource, ReadsBlocksWithTheirMissingNumbers) {
    const auto captions = Parse(
        "# comment\n"
        "\n"
        "20 B01-B02: PARAM, PNAME\r\n"
        "2 A01-A05 without A02, A04: PANR,KUNDENNR ,  SINDEX\n");
    ASSERT_EQ(captions.size(), 5u);
    const std::pair<std::uint16_t, std::string> expected[] = {
        {12001, "PANR"}, {12003, "KUNDENNR"}, {12005, "SINDEX"}, {30101, "PARAM"}, {30102, "PNAME"}};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(captions[i].id, expected[i].first);
        EXPECT_EQ(captions[i].text, expected[i].second);
    }
}

TEST(CaptionSource, KeepsSpacesInsideACaptionAndWindows1251Bytes) {
    const auto captions = Parse("0 A01-A02: FIELD NAME, \xC8\xCC\xC5\n");
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0].text, "FIELD NAME");
    EXPECT_EQ(captions[1].text, "\xC8\xCC\xC5");
}

TEST(CaptionSource, AcceptsACaptionOfTheLongestLength) {
    EXPECT_EQ(Refusal("0 A01-A01: " + std::string(1023, 'X') + "\n"), "");
}

TEST(CaptionSource, RefusesInconsistentOrMalformedBlocks) {
    const struct {
        const char* text;
        const char* reason;  // part of the message
    } cases[] = {
        {"0 A01-A03: X, Y\n", "has 2 captions, its range and missing numbers call for 3"},
        {"0 A01-A03: X, Y, Z, W\n", "has 4 captions"},
        {"2 A01-A04 without A02: X, Y\n", "call for 3"},
        {"2 A01-A04 without A02, A03: X, Y, Z\n", "call for 2"},
        {"0 A01-A03 without A04: X, Y\n", "outside A01-A03"},
        {"0 A01-A03 without B02: X, Y\n", "outside A01-A03"},
        {"0 A01-A05 without A03, A02: X, Y, Z\n", "must rise"},
        {"0 A01-A05 without A03, A03: X, Y, Z\n", "must rise"},
        {"0 A01-B02: X, Y\n", "spans two letters"},
        {"0 A05-A01: X\n", "runs backwards"},
        {"0 A1-A03: X, Y, Z\n", "is not a code"},
        {"0 a01-a02: X, Y\n", "is not a code"},
        {"0 A00-A01: X, Y\n", "numbers start at 01"},
        {"0 A01-A02 with A02: X\n", "\"with\" where \"without\""},
        {"0 A01-A02 X, Y\n", "no ':'"},
        {"0 A01 A02: X\n", "is not a code range"},
        {"x A01-A01: X\n", "is not a table number"},
        {"-1 A01-A01: X\n", "is not a table number"},
        {"65536 A01-A01: X\n", "above 65535"},
        {"0 A01-A02: X, \n", "empty caption"},
        {"0 A01-A01: X\tY\n", "control character"},
        {"0 A01-A01: X\n0 A01-A01: Y\n", "already used on line 1"},
        {"0 A01-A01: X\n8192 A01-A01: Y\n", "already used on line 1"},  // ids wrap at 65536
        {"55 E40-E40: X\n", "reserved"},                                // id 65440
        {"# nothing\n", "no captions"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NE(Refusal(c.text).find(c.reason), std::string::npos) << Refusal(c.text);
    }
    EXPECT_NE(Refusal("0 A01-A01: " + std::string(1024, 'X') + "\n").find("1024 bytes"), std::string::npos);
}

TEST(CaptionSource, RefusalNamesTheLine) {
    EXPECT_EQ(Refusal("# one\n0 A01-A01: X\n\n0 B01-B02: Y\n").rfind("captions:4: ", 0), 0u);
}

TEST(CaptionSource, WritesEscapedLiteralsInIdOrder) {
    std::ostringstream out;
    WriteCaptionTable({{10001, "PANR", 1}, {10002, "\xC8\"\\?", 1}}, out);
    const std::string source = out.str();
    EXPECT_NE(source.find("{10001, \"PANR\"},\n    {10002, \"\\310\\042\\134?\"},"), std::string::npos) << source;
    EXPECT_NE(source.find("kCaptionCount = 2;"), std::string::npos);
}

class CaptionGenerator : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::path(testing::TempDir()) /
               ("lexicon_gen_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return (dir_ / name).string();
    }

    std::filesystem::path dir_;
};

TEST_F(CaptionGenerator, WritesTheTableForAGoodText) {
    const std::string output = (dir_ / "out.cpp").string();
    std::ostringstream err;
    EXPECT_EQ(GenerateCaptionTable(Write("in.txt", "0 A01-A01: PANR\n"), output, err), 0);
    EXPECT_EQ(err.str(), "");
    std::ifstream in(output);
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(source.find("{10001, \"PANR\"}"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));
}

TEST_F(CaptionGenerator, FailsWithOneMessageAndNoOutputForABadText) {
    const std::string output = (dir_ / "out.cpp").string();
    std::ostringstream err;
    EXPECT_EQ(GenerateCaptionTable(Write("in.txt", "0 A01-A02: PANR\n"), output, err), 1);
    EXPECT_EQ(err.str().rfind("error: ", 0), 0u) << err.str();
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));
}

TEST_F(CaptionGenerator, FailsForAMissingInput) {
    std::ostringstream err;
    EXPECT_EQ(GenerateCaptionTable((dir_ / "none.txt").string(), (dir_ / "out.cpp").string(), err), 1);
    EXPECT_NE(err.str().find("cannot be opened"), std::string::npos);
}

}  // namespace
}  // namespace vormid::lexicon
