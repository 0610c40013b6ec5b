#include "evaluation/Cp1251Text.h"

namespace vormid {
namespace {

// The code points outside the Cyrillic block that the program's texts use.
char MapCodePoint(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    if (cp >= 0x410 && cp <= 0x44F) return static_cast<char>(0xC0 + (cp - 0x410));
    switch (cp) {
        case 0x401: return '\xA8';   // Ё
        case 0x451: return '\xB8';   // ё
        case 0x201E: return '\x84';  // „
        case 0x201C: return '\x93';  // “
        case 0x201D: return '\x94';  // ”
        case 0x2013: return '\x96';  // –
        case 0x2014: return '\x97';  // —
        case 0xAB: return '\xAB';    // «
        case 0xBB: return '\xBB';    // »
        case 0xB1: return '\xB1';    // ±
        case 0xB0: return '\xB0';    // °
        case 0x2116: return '\xB9';  // №
        default: return '?';
    }
}

}  // namespace

std::string Cp1251FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? b : (b & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += MapCodePoint(cp);
        i += extra + 1;
    }
    return out;
}

}  // namespace vormid
