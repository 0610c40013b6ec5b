// Base64, CSV and the lossless JSON encodings of bytes and doubles.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

#include "cli/Base64.h"
#include "cli/Csv.h"
#include "cli/JsonValues.h"
#include "cli/ModelJsonWriter.h"

namespace vormid::cli {
namespace {

// What the export writer writes for one value, read back.
template <typename F>
Json Written(F write) {
    std::ostringstream out;
    JsonStream json(out);
    ModelJsonWriter w(json);
    write(w);
    json.Finish();
    return Json::parse(out.str());
}

Json WrittenBytes(const std::string& bytes) {
    return Written([&](ModelJsonWriter& w) { w.Bytes(bytes); });
}

TEST(Base64, KnownVectorsOfRfc4648) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, coded] : cases) {
        EXPECT_EQ(Base64Encode(plain), coded);
        EXPECT_EQ(Base64Decode(coded), std::optional<std::string>(plain));
    }
}

TEST(Base64, RandomBytesRoundTrip) {
    std::mt19937 rng(7);
    for (int len = 0; len < 100; ++len) {
        std::string bytes(len, '\0');
        for (char& c : bytes) c = static_cast<char>(rng());
        EXPECT_EQ(Base64Decode(Base64Encode(bytes)), std::optional<std::string>(bytes));
    }
}

TEST(Base64, RejectsMalformedText) {
    for (const char* bad : {"Zg=", "Zg", "Z===", "Zh==", "Zm9=", "Zm=v", "Zg==Zg==", "Zm9v\n", "Zm 9"})
        EXPECT_FALSE(Base64Decode(bad).has_value()) << bad;
}

TEST(Csv, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvField("abc"), "abc");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("1,5"), "\"1,5\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("cr\r"), "\"cr\r\"");
    EXPECT_EQ(CsvField(" lead"), "\" lead\"");
    EXPECT_EQ(CsvRecord({"a", "b,c", ""}), "a,\"b,c\",\r\n");
}

TEST(JsonValues, BytesAreTextWhenTheyAreCp1251TextAndBase64Otherwise) {
    EXPECT_EQ(WrittenBytes("\xC0\xE1"), Json("Аб"));
    EXPECT_EQ(WrittenBytes("x\x98"), (Json{{"base64", "eJg="}}));
    for (const std::string& bytes :
         {std::string("plain"), std::string("\x98\x00\xff", 3), std::string(), std::string("{\\rtf1\\ansi\r\n}")}) {
        EXPECT_EQ(JsonToBytes(WrittenBytes(bytes), "f"), bytes);
    }
}

TEST(JsonValues, DoublesKeepTheirExactBits) {
    const double values[] = {0.1,
                             -0.0,
                             1e-310,
                             5e-324,
                             1.7976931348623157e308,
                             123456789.123456789,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             std::bit_cast<double>(std::uint64_t{0x7ff0000000000123})};
    for (double v : values) {
        const double back = JsonToDouble(Written([&](ModelJsonWriter& w) { w.Double(v); }), "x");
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v)) << v;
    }
}

constexpr const char* kYesNo[] = {"Yes", "No"};

TEST(JsonValues, ReaderNamesTheFieldThatIsWrong) {
    const Json doc = Json::parse(R"({"a": "x", "n": 3.5, "k": 300, "s": "Nope", "b": 1, "extra": 0})");
    auto message = [&](auto&& read) {
        try {
            JsonObjectReader r(doc, "root");
            read(r);
        } catch (const JsonFieldError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([](auto& r) { r.Integer("n", 0, 10); }).rfind("root.n: ", 0), 0u);
    EXPECT_EQ(message([](auto& r) { r.Integer("k", 0, 255); }).rfind("root.k: ", 0), 0u);
    EXPECT_EQ(message([](auto& r) { r.Code("s", kYesNo, 1); }).rfind("root.s: ", 0), 0u);
    EXPECT_EQ(message([](auto& r) { r.Bool("b"); }).rfind("root.b: ", 0), 0u);
    EXPECT_EQ(message([](auto& r) { r.Double("missing"); }).rfind("root.missing: ", 0), 0u);
    EXPECT_EQ(message([](auto& r) {
                  r.Bytes("a");
                  r.Double("n");
                  r.Integer("k", 0, 1000);
                  r.BoolOr("zz", false);
                  r.Finish();
              }).rfind("root.s: ", 0),
              0u);  // the first key that nobody read
}

TEST(JsonValues, CodesReadAsNameOrNumber) {
    const Json doc = Json::parse(R"({"a": "No", "b": 1, "c": 200})");
    JsonObjectReader r(doc, "");
    EXPECT_EQ(r.Code("a", kYesNo), 1);
    EXPECT_EQ(r.Code("b", kYesNo), 1);
    EXPECT_EQ(r.Code("c", kYesNo, 255), 200);  // a damaged file's code is kept
    EXPECT_THROW(r.Code("c", kYesNo), JsonFieldError);
}

}  // namespace
}  // namespace vormid::cli
