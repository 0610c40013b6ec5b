#include "core/NameMarkup.h"

#include <array>

namespace vormid {
namespace {

// Code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char32_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

const char* const kSuperDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
const char* const kSubDigits[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char32_t FromMarkupNumber(long cp) {
    if (cp < 0) cp += 65536;
    if (cp <= 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return static_cast<char32_t>(cp);
}

bool AllScriptable(std::u32string_view s) {
    if (s.empty()) return false;
    for (char32_t c : s)
        if (!(c >= U'0' && c <= U'9') && c != U'-' && c != U'+') return false;
    return true;
}

std::string Scripted(std::u32string_view s, TNameScript script) {
    std::string out;
    for (char32_t c : s) {
        const bool sub = script == TNameScript::Subscript;
        if (c >= U'0' && c <= U'9')
            out += (sub ? kSubDigits : kSuperDigits)[c - U'0'];
        else if (c == U'-')
            out += sub ? "₋" : "⁻";
        else
            out += sub ? "₊" : "⁺";
    }
    return out;
}

}  // namespace

char32_t Cp1251CodePoint(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kHigh[byte - 0x80];
}

std::string CodePointsToUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool HasNameMarkup(std::string_view s) { return s.find('\\') != std::string_view::npos; }

std::vector<TNameRun> NameMarkupRuns(std::string_view s) {
    std::vector<TNameRun> runs;
    TNameRun current;
    auto flush = [&] {
        if (!current.Text.empty()) runs.push_back(current);
        current.Text.clear();
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char m = s[i + 1];
            if (m == 'b' || m == 't' || m == 'n') {
                flush();
                current.Script = m == 'b'   ? TNameScript::Subscript
                                 : m == 't' ? TNameScript::Superscript
                                            : TNameScript::Normal;
                ++i;
                continue;
            }
            if (m == 'u') {
                std::size_t j = i + 2;
                const bool negative = j < s.size() && s[j] == '-';
                if (negative) ++j;
                long cp = 0;
                std::size_t digits = 0;
                // Seven digits hold every code point; more would overflow.
                while (j < s.size() && IsDigit(s[j]) && digits < 7) {
                    cp = cp * 10 + (s[j] - '0');
                    ++j, ++digits;
                }
                if (digits > 0) {
                    current.Text += FromMarkupNumber(negative ? -cp : cp);
                    i = j - 1;
                    continue;
                }
            }
            if (m == '\'' && i + 3 < s.size() && HexDigit(s[i + 2]) >= 0 && HexDigit(s[i + 3]) >= 0) {
                current.Text +=
                    Cp1251CodePoint(static_cast<unsigned char>(HexDigit(s[i + 2]) * 16 + HexDigit(s[i + 3])));
                i += 3;
                continue;
            }
        }
        current.Text += Cp1251CodePoint(static_cast<unsigned char>(s[i]));
    }
    flush();
    return runs;
}

std::string Superscript(std::string_view ascii) {
    std::string out;
    for (char c : ascii) {
        if (IsDigit(c))
            out += kSuperDigits[c - '0'];
        else if (c == '-')
            out += "⁻";
        else if (c == '+')
            out += "⁺";
        else
            out += c;
    }
    return out;
}

std::string MarkupToUtf8(std::string_view cp1251) {
    std::string out;
    for (const TNameRun& run : NameMarkupRuns(cp1251)) {
        if (run.Script == TNameScript::Normal)
            out += CodePointsToUtf8(run.Text);
        else if (AllScriptable(run.Text))
            out += Scripted(run.Text, run.Script);
        else
            out += (run.Script == TNameScript::Subscript ? "_" : "^") + CodePointsToUtf8(run.Text);
    }
    return out;
}

std::size_t DisplayWidth(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace vormid
