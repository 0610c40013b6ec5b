#include "core/RtfUnits.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "core/Cp1251.h"
#include "core/RtfReader.h"
#include "core/RtfWriter.h"

namespace vormid {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

struct TWord {
    std::string_view Letters;
    std::string_view Param;
    std::size_t End = 0;  // after the parameter
};

// The control word at s[i] == '\\' followed by a letter.
TWord ReadWord(std::string_view s, std::size_t i) {
    TWord w;
    std::size_t p = i + 1;
    while (p < s.size() && IsLetter(s[p])) ++p;
    w.Letters = s.substr(i + 1, p - i - 1);
    std::size_t q = p;
    if (q + 1 < s.size() && s[q] == '-' && IsDigit(s[q + 1])) ++q;
    while (q < s.size() && IsDigit(s[q])) ++q;
    w.Param = s.substr(p, q - p);
    w.End = q;
    return w;
}

// The letters spell the word in any case.
bool Is(std::string_view letters, std::string_view word) { return std::ranges::equal(letters, word, {}, Lower); }

// Where the first paragraph's text starts: after the first whole "\pard",
// or at the start when there is none.
std::size_t FirstParagraph(std::string_view s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '\\') continue;
        if (!IsLetter(s[i + 1])) {
            ++i;
            continue;
        }
        TWord w = ReadWord(s, i);
        if (Is(w.Letters, "pard")) return i + 1 + w.Letters.size();
        i = w.End - 1;
    }
    return 0;
}

bool StopsSkip(char c) { return c == '\\' || c == ' ' || c == '\r' || c == '\n'; }

// One character of a markup and whether it is raised or lowered.
struct TUnitChar {
    char32_t Code;
    int Vertical;  // 0 normal, 1 superscript, 2 subscript
    bool operator==(const TUnitChar&) const = default;
};

std::vector<TUnitChar> Characters(std::string_view m) {
    std::vector<TUnitChar> out;
    int vertical = 0;
    std::size_t i = 0;
    while (i < m.size()) {
        char c = m[i];
        if (c == '\\' && i + 1 < m.size()) {
            char n = Lower(m[i + 1]);
            if (n == 'b' || n == 't' || n == 'n') {
                vertical = n == 't' ? 1 : n == 'b' ? 2 : 0;
                i += 2;
                continue;
            }
            if (n == 'u' && i + 2 < m.size() && IsDigit(m[i + 2])) {
                std::size_t j = i + 2;
                long v = 0;
                while (j < m.size() && IsDigit(m[j])) {
                    if (v < 0x110000) v = v * 10 + (m[j] - '0');
                    ++j;
                }
                out.push_back({static_cast<char32_t>(v), vertical});
                i = j;
                continue;
            }
            if (n == '\'' && i + 3 < m.size() && IsHex(m[i + 2]) && IsHex(m[i + 3])) {
                auto byte =
                    static_cast<unsigned char>(std::strtol(std::string(m.substr(i + 2, 2)).c_str(), nullptr, 16));
                out.push_back({Cp1251ToCodePointLossless(byte), vertical});
                i += 4;
                continue;
            }
        }
        auto b = static_cast<unsigned char>(c);
        if (b > 32) out.push_back({Cp1251ToCodePointLossless(b), vertical});
        ++i;
    }
    return out;
}

}  // namespace

std::string UnitsToRtf(std::string_view markup) {
    std::string body;
    body.reserve(markup.size() * 2);
    std::size_t i = 0;
    while (i < markup.size()) {
        char c = markup[i];
        if (c == '\\' && i + 1 < markup.size()) {
            char n = Lower(markup[i + 1]);
            if (n == 'b' || n == 't' || n == 'n') {
                body += n == 'b' ? "\\sub\\f1\\fs20 " : n == 't' ? "\\super\\f1\\fs20 " : "\\nosupersub\\f0\\fs16 ";
                i += 2;
                continue;
            }
            if (n == 'u' && i + 2 < markup.size() && IsDigit(markup[i + 2])) {
                std::size_t j = i + 2;
                while (j < markup.size() && IsDigit(markup[j])) ++j;
                long v = std::strtol(std::string(markup.substr(i + 2, std::min<std::size_t>(j - i - 2, 8))).c_str(),
                                     nullptr, 10);
                AppendRtfUnicode(body, v);
                i = j;
                continue;
            }
            if (n == '\'' && i + 3 < markup.size() && IsHex(markup[i + 2]) && IsHex(markup[i + 3])) {
                body.append(markup.substr(i, 4));
                i += 4;
                continue;
            }
        }
        if (c == '\\' || c == '{' || c == '}') {
            body += '\\';
            body += c;
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            static constexpr char kHex[] = "0123456789abcdef";
            body += "\\'";
            body += kHex[static_cast<unsigned char>(c) >> 4];
            body += kHex[static_cast<unsigned char>(c) & 15];
        } else if (static_cast<unsigned char>(c) > 32) {
            body += c;
        }
        ++i;
    }
    // Both fonts are Windows-1251 fonts, so that "\'hh" means the same in
    // raised text as in normal text.
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Tahoma;}{\\f1\\fnil\\fcharset204 Tahoma;}}\r\n"
           "\\viewkind4\\uc1\\pard\\fi-20\\li20\\sb20\\lang1026\\f0\\fs16 " +
           body + "\\f0\\par\r\n}";
}

std::string RtfToUnits(std::string_view rtf) {
    std::string_view s = rtf.substr(FirstParagraph(rtf));
    std::string out;
    int uc = 1;
    std::size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if (static_cast<unsigned char>(c) >= 32) out += c;
            ++i;
            continue;
        }
        if (i + 1 >= s.size()) break;
        char n = s[i + 1];
        if (n == '\'') {
            out += "\\'";
            i += 2;  // the two hex digits follow as ordinary characters
            continue;
        }
        if (!IsLetter(n)) {
            if (n == '{' || n == '}') out += n;
            i += 2;
            continue;
        }
        TWord w = ReadWord(s, i);
        if (Is(w.Letters, "par")) break;  // the first paragraph only
        if (Is(w.Letters, "u") && !w.Param.empty()) {
            long v = w.Param.size() > 7 ? 0 : std::strtol(std::string(w.Param).c_str(), nullptr, 10);
            if (v < 0) v += 65536;
            out += "\\u" + std::to_string(v < 0 ? 0 : v);
            i = SkipRtfFallback(s, w.End < s.size() && s[w.End] == ' ' ? w.End + 1 : w.End, uc);
            continue;
        }
        if (Is(w.Letters, "uc") && !w.Param.empty() && w.Param.size() <= 2 && w.Param[0] != '-')
            uc = std::atoi(std::string(w.Param).c_str());
        if (Is(w.Letters, "sub"))
            out += "\\b";
        else if (Is(w.Letters, "super"))
            out += "\\t";
        else if (Is(w.Letters, "nosupersub"))
            out += "\\n";
        // Any other control word is skipped up to the next delimiter.
        std::size_t j = i + 1;
        while (j < s.size() && !StopsSkip(s[j])) ++j;
        i = j;
    }
    std::size_t b = 0, e = out.size();
    while (b < e && static_cast<unsigned char>(out[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(out[e - 1]) <= 32) --e;
    return out.substr(b, e - b);
}

bool UnitsEquivalent(std::string_view a, std::string_view b) { return Characters(a) == Characters(b); }

}  // namespace vormid
