#include "core/Cp1251.h"

#include <array>
#include <cstdio>

namespace vormid {
namespace {

// Code points of bytes 0x80..0xFF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char32_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

constexpr unsigned char kUnassigned = 0x98;

std::string DescribeCodePoint(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

}  // namespace

char32_t Cp1251ToCodePoint(unsigned char byte) { return byte < 0x80 ? char32_t{byte} : kHigh[byte - 0x80]; }

char32_t Cp1251ToCodePointLossless(unsigned char byte) {
    return byte == kUnassigned ? char32_t{kUnassigned} : Cp1251ToCodePoint(byte);
}

std::optional<unsigned char> CodePointToCp1251(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    // The Cyrillic block is the common case and lies in one piece.
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    if (cp == kUnassigned) return kUnassigned;
    for (int k = 0; k < 0x40; ++k)
        if (kHigh[k] == cp && cp != 0) return static_cast<unsigned char>(0x80 + k);
    return std::nullopt;
}

bool IsCp1251Text(std::string_view bytes) {
    return bytes.find(static_cast<char>(kUnassigned)) == std::string_view::npos;
}

TFieldTextFault FieldTextFault(std::u32string_view text, std::size_t maxBytes) {
    for (char32_t cp : text)
        if (!CodePointToCp1251(cp)) return TFieldTextFault::NotInCodePage;
    return text.size() > maxBytes ? TFieldTextFault::TooLong : TFieldTextFault::None;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    // A lead byte that tells the number of continuation bytes, then six bits
    // in each of them.
    static constexpr unsigned kLead[] = {0, 0xC0, 0xE0, 0xF0};
    const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    out += static_cast<char>(kLead[extra] | (cp >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
}

bool NextUtf8(std::string_view text, std::size_t& i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t min = 0;
    char32_t value = 0;
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1, value = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, value = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, value = b0 & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (text.size() - i <= static_cast<std::size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return false;
        value = (value << 6) | (b & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    cp = value;
    i += extra + 1;
    return true;
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const char32_t cp = Cp1251ToCodePoint(static_cast<unsigned char>(c));
        AppendUtf8(out, cp == 0 && c != 0 ? char32_t{0xFFFD} : cp);
    }
    return out;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8, std::string* bad_char) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!NextUtf8(utf8, i, cp)) {
            if (bad_char) *bad_char = "invalid UTF-8";
            return std::nullopt;
        }
        // U+0098 stands for the unassigned byte only inside the window;
        // text from outside holding it is refused like any foreign character.
        const auto byte = cp == kUnassigned ? std::nullopt : CodePointToCp1251(cp);
        if (!byte) {
            if (bad_char) *bad_char = DescribeCodePoint(cp);
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string Cp1251FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!NextUtf8(utf8, i, cp)) {
            out += '?';
            ++i;
            continue;
        }
        const auto byte = CodePointToCp1251(cp);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

}  // namespace vormid
