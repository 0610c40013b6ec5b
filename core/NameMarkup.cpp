#include "core/NameMarkup.h"

#include "core/Cp1251.h"

namespace vormid {
namespace {

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
    const char32_t c = Cp1251ToCodePoint(byte);
    return c == 0 && byte != 0 ? char32_t{0xFFFD} : c;
}

std::string CodePointsToUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        AppendUtf8(out, c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? char32_t{0xFFFD} : c);
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
