#include "core/Cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace vormid {
namespace {

// glibc's converter is an independent reference for the 127 assigned high bytes.
std::string IconvToUtf8(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "?";
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* pin = in;
    char* pout = out;
    size_t inleft = 1, outleft = sizeof out;
    const size_t r = iconv(cd, &pin, &inleft, &pout, &outleft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return "<error>";
    return std::string(out, pout);
}

TEST(Cp1251Helper, EveryByteRoundTripsThroughItsCodePoint) {
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = Cp1251ToCodePointLossless(static_cast<unsigned char>(b));
        const auto back = CodePointToCp1251(cp);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, b) << "byte " << b;
    }
    EXPECT_EQ(Cp1251ToCodePointLossless(0x98), 0x98u);
}

TEST(Cp1251, EveryAssignedByteMatchesTheSystemConverterBothWays) {
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue;
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1251ToUtf8(byte);
        EXPECT_EQ(utf8, IconvToUtf8(static_cast<unsigned char>(b))) << "byte " << b;
        const auto back = Utf8ToCp1251(utf8);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, byte) << "byte " << b;
    }
}

TEST(Cp1251, UnassignedByteIsReportedAndShownAsReplacementCharacter) {
    EXPECT_EQ(IconvToUtf8(0x98), "<error>");  // the reference agrees that 0x98 has no character
    EXPECT_FALSE(IsCp1251Text("a\x98z"));
    EXPECT_TRUE(IsCp1251Text(std::string("a\0\xff", 3)));
    EXPECT_EQ(Cp1251ToUtf8("a\x98z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(Cp1251ToCodePoint(0x98), 0u);
    // Neither U+0098 nor the replacement character encodes back to 0x98.
    EXPECT_FALSE(Utf8ToCp1251("\xC2\x98").has_value());
    EXPECT_FALSE(Utf8ToCp1251("\xEF\xBF\xBD").has_value());
}

// The symbols the old converters disagreed on, each in both directions.
TEST(Cp1251Helper, TypographicSymbolsHaveTheirBytes) {
    struct Row {
        const char* name;
        const char* utf8;
        const char* bytes;
    } rows[] = {
        {"ellipsis", "…", "\x85"},
        {"em dash", "—", "\x97"},
        {"en dash", "–", "\x96"},
        {"plus-minus", "±", "\xB1"},
        {"numero", "№", "\xB9"},
        {"low quote", "„", "\x84"},
        {"left quote", "“", "\x93"},
        {"right quote", "”", "\x94"},
        {"degree", "°", "\xB0"},
        {"micro", "µ", "\xB5"},
        {"euro", "€", "\x88"},
        {"Cyrillic", "Ёжё", "\xA8\xE6\xB8"},
        {"no-break space", "\xC2\xA0", "\xA0"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(Cp1251FromUtf8(r.utf8), r.bytes) << r.name;
        EXPECT_EQ(Cp1251ToUtf8(r.bytes), r.utf8) << r.name;
    }
}

TEST(Cp1251Helper, FieldTextIsRefusedForAMissingCharacterOrLength) {
    EXPECT_EQ(FieldTextFault(U"мм", 2), TFieldTextFault::None);  // one byte each
    EXPECT_EQ(FieldTextFault(U"ммм", 2), TFieldTextFault::TooLong);
    EXPECT_EQ(FieldTextFault(U"aΩ", 5), TFieldTextFault::NotInCodePage);
    EXPECT_EQ(FieldTextFault(U"\U0001F600", 5), TFieldTextFault::NotInCodePage);
}

TEST(Cp1251, BulgarianTextAndSymbolsRoundTrip) {
    const std::string utf8 = "Резултат ± µ° №";
    const auto cp = Utf8ToCp1251(utf8);
    ASSERT_TRUE(cp);
    EXPECT_EQ(*cp, "\xD0\xE5\xE7\xF3\xEB\xF2\xE0\xF2 \xB1 \xB5\xB0 \xB9");
    EXPECT_EQ(Cp1251ToUtf8(*cp), utf8);
}

TEST(Cp1251, RejectsWhatTheCodePageCannotHoldAndBrokenUtf8) {
    struct Case {
        const char* text;
        const char* reason;
    } cases[] = {
        {"\xE6\x97\xA5", "U+65E5"},         // a CJK character
        {"\xE2\x88\x9E", "U+221E"},         // infinity: not in the code page
        {"\xC3\xA9", "U+00E9"},             // e acute: Latin-1, not 1251
        {"\xD0", "invalid UTF-8"},          // cut sequence
        {"\xC0\x80", "invalid UTF-8"},      // overlong zero
        {"\xED\xA0\x80", "invalid UTF-8"},  // surrogate
        {"\xFF", "invalid UTF-8"},
        {"\x80", "invalid UTF-8"},  // lone continuation byte
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(Utf8ToCp1251(c.text, &why).has_value()) << c.reason;
        EXPECT_EQ(why, c.reason);
    }
}

// The lenient encoder of the window marks what the strict one refuses.
TEST(Cp1251Helper, LenientEncodingMarksEachMissingCharacter) {
    EXPECT_EQ(Cp1251FromUtf8("a∞b日c"), "a?b?c");
    EXPECT_EQ(Cp1251FromUtf8("x\xD0"), "x?");       // cut sequence
    EXPECT_EQ(Cp1251FromUtf8("\xC0\x80z"), "??z");  // overlong zero: each byte
    EXPECT_EQ(Cp1251FromUtf8("\xC2\x98"), "\x98");  // the window's stand-in for 0x98
}

// Each end of each sequence length encodes to the bytes of the standard and
// decodes back from the middle of a text, moving past exactly those bytes.
TEST(Utf8, SequenceLengthBoundariesRoundTrip) {
    const struct {
        char32_t cp;
        std::string bytes;
    } cases[] = {{0x00, std::string(1, '\0')},  {0x7F, "\x7F"},           {0x80, "\xC2\x80"},
                 {0x7FF, "\xDF\xBF"},           {0x800, "\xE0\xA0\x80"},  {0xD7FF, "\xED\x9F\xBF"},
                 {0xE000, "\xEE\x80\x80"},      {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"},
                 {0x10FFFF, "\xF4\x8F\xBF\xBF"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<unsigned>(c.cp));
        std::string out = "a";
        AppendUtf8(out, c.cp);
        EXPECT_EQ(out, "a" + c.bytes);
        out += 'z';
        std::size_t i = 1;
        char32_t cp = 0;
        ASSERT_TRUE(NextUtf8(out, i, cp));
        EXPECT_EQ(cp, c.cp);
        EXPECT_EQ(i, 1 + c.bytes.size());
    }
}

TEST(Utf8, MalformedSequencesAreRefusedWithoutMoving) {
    for (const char* bad : {"\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF",  // overlong
                            "\xED\xA0\x80", "\xED\xBF\xBF",                  // surrogates
                            "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80",      // above U+10FFFF
                            "\xE2\x82", "\x80", "\xC3\x28"}) {               // cut, stray, broken
        SCOPED_TRACE(testing::PrintToString(std::string(bad)));
        std::size_t i = 0;
        char32_t cp = 0;
        EXPECT_FALSE(NextUtf8(bad, i, cp));
        EXPECT_EQ(i, 0u);
    }
}

}  // namespace
}  // namespace vormid
