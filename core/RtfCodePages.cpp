#include "core/RtfCodePages.h"

#include <array>
#include <utility>

#include "core/Cp1251.h"

namespace vormid {
namespace {

// Bytes 0x80..0x9F of Windows-1252; 0 marks an unassigned byte. The rest of
// the upper half is Latin-1.
constexpr std::array<char16_t, 32> k1252Low = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Bytes 0x80..0xBF of Windows-1253; 0xC0..0xFE are U+0390 onwards.
constexpr std::array<char16_t, 64> k1253High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0,      0x2039, 0,
    0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0,      0x203A, 0,      0,      0,      0,      0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0,      0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x0384, 0x00B5, 0x00B6, 0x00B7, 0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,
};

// The Symbol font's letters A..Z and a..z.
constexpr std::array<char16_t, 26> kSymbolUpper = {
    0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C,
    0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396,
};
constexpr std::array<char16_t, 26> kSymbolLower = {
    0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC,
    0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6,
};

// Its other signs: the byte and the character.
constexpr std::pair<unsigned char, char16_t> kSymbolSigns[] = {
    {0x22, 0x2200}, {0x24, 0x2203}, {0x2D, 0x2212}, {0x40, 0x2245}, {0x5E, 0x22A5}, {0x7E, 0x223C}, {0xA2, 0x2032},
    {0xA3, 0x2264}, {0xA5, 0x221E}, {0xB2, 0x2033}, {0xB3, 0x2265}, {0xB4, 0x00D7}, {0xB5, 0x221D}, {0xB6, 0x2202},
    {0xB7, 0x2022}, {0xB8, 0x00F7}, {0xB9, 0x2260}, {0xBA, 0x2261}, {0xBB, 0x2248}, {0xBC, 0x2026}, {0xD0, 0x2220},
    {0xD1, 0x2207}, {0xD6, 0x221A}, {0xD7, 0x22C5}, {0xE5, 0x2211}, {0xF2, 0x222B}};

char32_t Decode1252(unsigned char b) {
    if (b < 0x80 || b >= 0xA0) return b;
    char16_t c = k1252Low[b - 0x80];
    return c ? char32_t{c} : char32_t{0xFFFD};
}

// The signs of the Symbol font that measurement texts use; the others are
// read as the Western byte.
char32_t DecodeSymbol(unsigned char b) {
    if (b >= 'A' && b <= 'Z') return kSymbolUpper[b - 'A'];
    if (b >= 'a' && b <= 'z') return kSymbolLower[b - 'a'];
    for (const auto& [byte, cp] : kSymbolSigns)
        if (b == byte) return cp;
    return Decode1252(b);
}

}  // namespace

TRtfCodePage CodePageOfAnsiCpg(int ansicpg) {
    switch (ansicpg) {
        case 1252:
            return TRtfCodePage::Cp1252;
        case 1253:
            return TRtfCodePage::Cp1253;
        default:
            return TRtfCodePage::Cp1251;
    }
}

TRtfCodePage CodePageOfCharset(int charset, TRtfCodePage document) {
    switch (charset) {
        case 0:
            return TRtfCodePage::Cp1252;
        case 2:
            return TRtfCodePage::Symbol;
        case 161:
            return TRtfCodePage::Cp1253;
        case 204:
            return TRtfCodePage::Cp1251;
        default:
            return document;
    }
}

char32_t DecodeCodePageByte(TRtfCodePage page, unsigned char byte) {
    switch (page) {
        case TRtfCodePage::Cp1251: {
            char32_t cp = Cp1251ToCodePoint(byte);
            return cp == 0 && byte != 0 ? char32_t{0xFFFD} : cp;
        }
        case TRtfCodePage::Cp1252:
            return Decode1252(byte);
        case TRtfCodePage::Cp1253: {
            if (byte < 0x80) return byte;
            if (byte < 0xC0) {
                char16_t c = k1253High[byte - 0x80];
                return c ? char32_t{c} : char32_t{0xFFFD};
            }
            if (byte == 0xD2 || byte == 0xFF) return 0xFFFD;
            return char32_t{0x0390} + (byte - 0xC0);
        }
        case TRtfCodePage::Symbol:
            return DecodeSymbol(byte);
    }
    return 0xFFFD;
}

}  // namespace vormid
