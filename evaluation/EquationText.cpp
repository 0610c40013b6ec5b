#include "evaluation/EquationText.h"

#include <cstdlib>

namespace vormid {
namespace {

// Work codes that stand for the control words worth keeping, between the
// marking pass and the walk that writes the name markers.
constexpr char kWorkUnicode = '\x01';
constexpr char kWorkSub = '\x02';
constexpr char kWorkSuper = '\x03';
constexpr char kWorkNormal = '\x04';
constexpr char kWorkCodePage = '\x05';

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// An RTF control word at a backslash followed by a letter: its letters and
// its numeric parameter (an optional "-" and digits).
struct TControlWord {
    std::string_view Letters;
    std::string_view Parameter;
    std::size_t LettersEnd = 0;  // index just after the letters
    std::size_t End = 0;         // index just after the parameter
};

TControlWord ReadControlWord(std::string_view s, std::size_t backslash) {
    TControlWord w;
    std::size_t p = backslash + 1;
    while (p < s.size() && IsAsciiLetter(s[p])) ++p;
    w.Letters = s.substr(backslash + 1, p - backslash - 1);
    w.LettersEnd = p;
    std::size_t q = p;
    if (q < s.size() && s[q] == '-' && q + 1 < s.size() && IsDigit(s[q + 1])) ++q;
    while (q < s.size() && IsDigit(s[q])) ++q;
    w.Parameter = s.substr(p, q - p);
    w.End = q;
    return w;
}

bool AtControlWord(std::string_view s, std::size_t i) {
    return s[i] == '\\' && i + 1 < s.size() && IsAsciiLetter(s[i + 1]);
}

// RTF writes code points above 32767 as negative numbers; the name marker
// holds the code point itself.
std::string UnicodeDigits(std::string_view parameter) {
    // More digits than any 16-bit value needs are kept as written.
    if (parameter.size() > 7) return std::string(parameter);
    long value = std::strtol(std::string(parameter).c_str(), nullptr, 10);
    if (value < 0) value += 65536;
    if (value < 0) value = 0;
    return std::to_string(value);
}

// After "\uN" a reader that understands it skips the stand-in for readers
// that do not: uc units, each one character or one "\'hh". Control words
// and group braces are never swallowed, so a line end is never lost.
std::size_t SkipFallback(std::string_view s, std::size_t i, int uc) {
    int left = uc;
    while (left > 0 && i < s.size()) {
        char c = s[i];
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c == '{' || c == '}') break;
        if (c == '\\') {
            if (i + 1 < s.size() && s[i + 1] == '\'') {
                i = std::min(s.size(), i + 4);
                --left;
                continue;
            }
            break;
        }
        ++i;
        --left;
    }
    return i;
}

int ParseUc(std::string_view parameter, int current) {
    if (parameter.empty() || parameter.size() > 3 || parameter[0] == '-') return current;
    return std::atoi(std::string(parameter).c_str());
}

// Where the body of a rich text starts: just after its first "\pard". A
// rich text without one starts after its header (the "\rtf" word and the
// groups and plain control words that precede the first text). uc receives
// the \ucN value met on the way.
std::size_t BodyStart(std::string_view s, int& uc) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) continue;
        if (!IsAsciiLetter(s[i + 1])) {
            ++i;  // a control symbol such as "\\" or "\{"
            continue;
        }
        TControlWord w = ReadControlWord(s, i);
        std::string word = Lower(w.Letters);
        if (word == "pard") return w.LettersEnd;
        if (word == "uc") uc = ParseUc(w.Parameter, uc);
        i = w.LettersEnd - 1;
    }
    std::size_t p = s.find("{\\rtf");
    if (p == std::string_view::npos) return 0;
    p += 1;
    p = ReadControlWord(s, p).End;
    while (p < s.size()) {
        char c = s[p];
        if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
            ++p;
        } else if (c == '{') {
            int depth = 0;
            while (p < s.size()) {
                if (s[p] == '\\') {
                    p += 2;
                    continue;
                }
                if (s[p] == '{') ++depth;
                if (s[p] == '}' && --depth == 0) {
                    ++p;
                    break;
                }
                ++p;
            }
        } else if (AtControlWord(s, p)) {
            TControlWord w = ReadControlWord(s, p);
            std::string word = Lower(w.Letters);
            if (word == "u" || word == "sub" || word == "super" || word == "nosupersub" || word == "par") break;
            if (word == "uc") uc = ParseUc(w.Parameter, uc);
            p = w.End;
            if (p < s.size() && s[p] == ' ') ++p;
        } else {
            break;
        }
    }
    return std::min(p, s.size());
}

// The control words that carry meaning for an equation become work codes;
// every other control word stays as written for the walk to skip. Only whole
// words count, so "\ul", "\ulnone", "\uc1" and "\pardirnatural" are not
// mistaken for "\u", "\par" or "\pard".
std::string MarkControlWords(std::string_view s, int uc) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if ((c >= 1 && c <= 5) || c == kLineSeparator) {
            ++i;  // stray bytes that would read as work codes
            continue;
        }
        if (c != '\\' || i + 1 >= s.size()) {
            out += c;
            ++i;
            continue;
        }
        char next = s[i + 1];
        if (next == '\'') {
            out += kWorkCodePage;
            i += 2;
            continue;
        }
        if (!IsAsciiLetter(next)) {
            out += c;
            out += next;
            i += 2;
            continue;
        }
        TControlWord w = ReadControlWord(s, i);
        std::string word = Lower(w.Letters);
        if (word == "pard") {
            i = w.LettersEnd;
            continue;
        }
        if (word == "u" && !w.Parameter.empty()) {
            out += kWorkUnicode;
            out += UnicodeDigits(w.Parameter);
            i = w.End;
            if (i < s.size() && s[i] == ' ') ++i;
            i = SkipFallback(s, i, uc);
            continue;
        }
        if (word == "uc") uc = ParseUc(w.Parameter, uc);
        char code = 0;
        if (word == "sub")
            code = kWorkSub;
        else if (word == "super")
            code = kWorkSuper;
        else if (word == "nosupersub")
            code = kWorkNormal;
        else if (word == "par")
            code = kLineSeparator;
        if (code != 0) {
            out += code;
        } else {
            out.append(s.substr(i, w.LettersEnd - i));
        }
        i = w.LettersEnd;
    }
    return out;
}

bool StopsControlWord(char c) {
    return (c >= 1 && c <= 5) || c == kLineSeparator || c == '\n' || c == '\r' || c == ' ' || c == '\\';
}

// Writes the name markers, drops white space and skips the remaining
// control words.
std::string WalkMarked(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        switch (c) {
            case kWorkUnicode:
                out += "\\u";
                break;
            case kWorkSub:
                out += "\\b";
                break;
            case kWorkSuper:
                out += "\\t";
                break;
            case kWorkNormal:
                out += "\\n";
                break;
            case kWorkCodePage:
                out += "\\'";
                break;
            case '\t':
            case '\n':
            case '\r':
            case ' ':
                break;
            case '\\': {
                std::size_t j = i + 1;
                while (j < s.size() && !StopsControlWord(s[j])) ++j;
                i = j;
                continue;
            }
            default:
                out += c;
                break;
        }
        ++i;
    }
    return out;
}

// A text that is not rich text: its line ends separate the lines, white
// space is dropped and everything else (name markers too) is kept.
std::string PlainLines(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\r') {
            out += kLineSeparator;
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += kLineSeparator;
        } else if (c != ' ' && c != '\t') {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string_view TrimControl(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

std::string EquationText(std::string_view richText) {
    std::string walked;
    if (TrimControl(richText).starts_with("{\\rtf")) {
        int uc = 1;
        std::size_t body = BodyStart(richText, uc);
        walked = WalkMarked(MarkControlWords(richText.substr(body), uc));
    } else {
        walked = PlainLines(richText);
    }
    std::string out(TrimControl(walked));
    // The rich text's closing brace.
    if (!out.empty() && out.back() == '}') out.back() = ' ';
    out += kLineSeparator;
    return out;
}

std::vector<TEquationLine> SplitEquationLines(std::string_view plainText) {
    std::vector<TEquationLine> lines;
    std::size_t start = 0;
    while (start <= plainText.size()) {
        std::size_t end = plainText.find(kLineSeparator, start);
        if (end == std::string_view::npos) end = plainText.size();
        std::string_view line = plainText.substr(start, end - start);
        std::size_t eq = line.find('=');
        if (eq != std::string_view::npos)
            lines.push_back(
                {std::string(TrimControl(line.substr(0, eq))), std::string(TrimControl(line.substr(eq + 1)))});
        start = end + 1;
    }
    return lines;
}

}  // namespace vormid
