#include "core/Cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace vormid {
namespace {

TEST(Cp1251Helper, EveryByteRoundTripsThroughItsCodePoint) {
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = Cp1251ToCodePointLossless(static_cast<unsigned char>(b));
        const auto back = CodePointToCp1251(cp);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, b) << "byte " << b;
    }
    EXPECT_EQ(Cp1251ToCodePointLossless(0x98), 0x98u);
    EXPECT_EQ(Cp1251ToCodePoint(0x98), 0u);
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

TEST(Cp1251Helper, LenientEncodingMarksEachMissingCharacter) {
    EXPECT_EQ(Cp1251FromUtf8("a∞b日c"), "a?b?c");
    EXPECT_EQ(Cp1251FromUtf8("x\xD0"), "x?");       // cut sequence
    EXPECT_EQ(Cp1251FromUtf8("\xC0\x80z"), "??z");  // overlong zero: each byte
    EXPECT_EQ(Cp1251FromUtf8("\xC2\x98"), "\x98");  // the window's stand-in for 0x98
}

}  // namespace
}  // namespace vormid
