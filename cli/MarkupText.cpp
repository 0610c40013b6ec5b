#include "cli/MarkupText.h"

#include <cctype>

#include "cli/Cp1251.h"

namespace vormid::cli {
namespace {

const char* const kSuperDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
const char* const kSubDigits[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};

bool AllScriptable(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-' && c != '+') return false;
    return true;
}

std::string Subscript(std::string_view ascii) {
    std::string out;
    for (char c : ascii) {
        if (std::isdigit(static_cast<unsigned char>(c))) out += kSubDigits[c - '0'];
        else if (c == '-') out += "₋";
        else if (c == '+') out += "₊";
        else out += c;
    }
    return out;
}

void AppendCodePoint(std::string& out, long cp) {
    if (cp < 0) cp += 65536;  // rich text writes code points above 32767 as negative numbers
    if (cp <= 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    const auto c = static_cast<char32_t>(cp);
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

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string Superscript(std::string_view ascii) {
    std::string out;
    for (char c : ascii) {
        if (std::isdigit(static_cast<unsigned char>(c))) out += kSuperDigits[c - '0'];
        else if (c == '-') out += "⁻";
        else if (c == '+') out += "⁺";
        else out += c;
    }
    return out;
}

std::string MarkupToUtf8(std::string_view s) {
    std::string out;
    int mode = 0;  // 0 normal, 1 subscript, 2 superscript
    std::string segment;  // UTF-8 text of the current sub- or superscript
    auto flush = [&] {
        if (mode == 0 || segment.empty()) {
            out += segment;
        } else if (AllScriptable(segment)) {
            out += mode == 1 ? Subscript(segment) : Superscript(segment);
        } else {
            out += (mode == 1 ? "_" : "^") + segment;
        }
        segment.clear();
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char m = s[i + 1];
            if (m == 'b' || m == 't' || m == 'n') {
                flush();
                mode = m == 'b' ? 1 : m == 't' ? 2 : 0;
                ++i;
                continue;
            }
            if (m == 'u') {
                std::size_t j = i + 2;
                const bool negative = j < s.size() && s[j] == '-';
                if (negative) ++j;
                long cp = 0;
                std::size_t digits = 0;
                while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])) && digits < 7) {
                    cp = cp * 10 + (s[j] - '0');
                    ++j, ++digits;
                }
                if (digits > 0) {
                    AppendCodePoint(mode == 0 ? out : segment, negative ? -cp : cp);
                    i = j - 1;
                    continue;
                }
            }
            if (m == '\'' && i + 3 < s.size() && HexDigit(s[i + 2]) >= 0 && HexDigit(s[i + 3]) >= 0) {
                const char byte = static_cast<char>(HexDigit(s[i + 2]) * 16 + HexDigit(s[i + 3]));
                (mode == 0 ? out : segment) += Cp1251ToUtf8(std::string_view(&byte, 1));
                i += 3;
                continue;
            }
        }
        (mode == 0 ? out : segment) += Cp1251ToUtf8(s.substr(i, 1));
    }
    flush();
    return out;
}

std::size_t DisplayWidth(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace vormid::cli
