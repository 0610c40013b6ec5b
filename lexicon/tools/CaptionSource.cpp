#include "lexicon/tools/CaptionSource.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <string_view>

#include "lexicon/CaptionId.h"

namespace vormid::lexicon {
namespace {

struct Code {
    int letter;
    int number;
};

class LineReader {
public:
    LineReader(const std::string& name, int line) : name_(name), line_(line) {}

    [[noreturn]] void Fail(const std::string& message) const {
        throw CaptionSourceError(name_ + ":" + std::to_string(line_) + ": " + message);
    }

    Code ParseCode(std::string_view text) const {
        if (text.size() != 3 || text[0] < 'A' || text[0] > 'Z' || !IsDigit(text[1]) || !IsDigit(text[2])) {
            Fail("\"" + std::string(text) + "\" is not a code (a letter A-Z and two digits)");
        }
        const Code code{text[0] - 'A', (text[1] - '0') * 10 + (text[2] - '0')};
        if (code.number == 0) Fail("code \"" + std::string(text) + "\": numbers start at 01");
        return code;
    }

    std::uint32_t ParseTable(std::string_view text) const {
        if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), IsDigit)) {
            Fail("\"" + std::string(text) + "\" is not a table number");
        }
        const auto table = static_cast<std::uint32_t>(std::stoul(std::string(text)));
        if (table > 0xFFFFu) Fail("table " + std::string(text) + " is above 65535");
        return table;
    }

    int line() const { return line_; }

private:
    static bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

    const std::string& name_;
    int line_;
};

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> SplitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = text.find(',');
        parts.push_back(Trim(text.substr(0, comma)));
        if (comma == std::string_view::npos) return parts;
        text.remove_prefix(comma + 1);
    }
}

void CheckCaption(const LineReader& reader, std::string_view caption) {
    if (caption.empty()) reader.Fail("empty caption");
    if (caption.size() > kMaxCaptionBytes) {
        reader.Fail("caption of " + std::to_string(caption.size()) + " bytes, at most " +
                    std::to_string(kMaxCaptionBytes) + " fit");
    }
    for (const char ch : caption) {
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) reader.Fail("control character in a caption");
    }
}

// One block line: "<table> <first>-<last> [without <code>, ...]: <caption>, ...".
void ParseBlock(const LineReader& reader, std::string_view line, std::vector<SourceCaption>& out) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) reader.Fail("no ':' between the block's codes and its captions");
    std::istringstream header{std::string(line.substr(0, colon))};
    std::string tableText, rangeText, word;
    header >> tableText >> rangeText;
    const std::uint32_t table = reader.ParseTable(tableText);

    const auto dash = rangeText.find('-');
    if (dash == std::string::npos) reader.Fail("\"" + rangeText + "\" is not a code range like A01-A43");
    const Code first = reader.ParseCode(std::string_view(rangeText).substr(0, dash));
    const Code last = reader.ParseCode(std::string_view(rangeText).substr(dash + 1));
    if (first.letter != last.letter) reader.Fail("range " + rangeText + " spans two letters");
    if (first.number > last.number) reader.Fail("range " + rangeText + " runs backwards");

    std::vector<int> missing;
    if (header >> word) {
        if (word != "without") reader.Fail("\"" + word + "\" where \"without\" or ':' belongs");
        std::string rest;
        std::getline(header, rest);
        for (const std::string_view text : SplitCommas(rest)) {
            const Code code = reader.ParseCode(text);
            if (code.letter != first.letter || code.number < first.number || code.number > last.number) {
                reader.Fail("missing code " + std::string(text) + " is outside " + rangeText);
            }
            if (!missing.empty() && code.number <= missing.back()) {
                reader.Fail("missing codes must rise: " + std::string(text));
            }
            missing.push_back(code.number);
        }
    }

    const std::vector<std::string_view> captions = SplitCommas(line.substr(colon + 1));
    const std::size_t expected = static_cast<std::size_t>(last.number - first.number + 1) - missing.size();
    if (captions.size() != expected) {
        reader.Fail("block " + tableText + " " + rangeText + " has " + std::to_string(captions.size()) +
                    " captions, its range and missing numbers call for " + std::to_string(expected));
    }

    auto caption = captions.begin();
    auto gap = missing.begin();
    for (int number = first.number; number <= last.number; ++number) {
        if (gap != missing.end() && *gap == number) {
            ++gap;
            continue;
        }
        CheckCaption(reader, *caption);
        out.push_back({CaptionId(table, first.letter, number), std::string(*caption), reader.line()});
        ++caption;
    }
}

void AppendLiteral(std::ostream& out, const std::string& bytes) {
    out << '"';
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F && ch != '"' && ch != '\\') {
            out << ch;
        } else {
            // Octal escapes stop after three digits, so the next byte never joins them.
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\%03o", byte);
            out << escaped;
        }
    }
    out << '"';
}

}  // namespace

std::vector<SourceCaption> ParseCaptionSource(std::istream& in, const std::string& name) {
    std::vector<SourceCaption> captions;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // a checkout with CRLF endings
        const std::string_view text = Trim(line);
        if (text.empty() || text.front() == '#') continue;
        ParseBlock(LineReader(name, number), text, captions);
    }
    if (in.bad()) throw CaptionSourceError(name + ": read error");
    if (captions.empty()) throw CaptionSourceError(name + ": no captions");

    std::stable_sort(captions.begin(), captions.end(),
                     [](const SourceCaption& a, const SourceCaption& b) { return a.id < b.id; });
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const SourceCaption& caption = captions[i];
        if (caption.id >= kFirstReservedId) {
            LineReader(name, caption.line).Fail("id " + std::to_string(caption.id) + " is reserved (65440 and up)");
        }
        if (i > 0 && captions[i - 1].id == caption.id) {
            LineReader(name, caption.line)
                .Fail("id " + std::to_string(caption.id) + " is already used on line " +
                      std::to_string(captions[i - 1].line));
        }
    }
    return captions;
}

void WriteCaptionTable(const std::vector<SourceCaption>& captions, std::ostream& out) {
    out << "// Generated at build time from lexicon/Captions.txt; edit that file instead.\n"
           "#include \"lexicon/CaptionStore.h\"\n\n"
           "namespace vormid::lexicon {\n\n"
           "extern const Caption kCaptions[] = {\n";
    for (const SourceCaption& caption : captions) {
        out << "    {" << caption.id << ", ";
        AppendLiteral(out, caption.text);
        out << "},\n";
    }
    out << "};\n\n"
           "extern const std::size_t kCaptionCount = "
        << captions.size() << ";\n\n}  // namespace vormid::lexicon\n";
}

int GenerateCaptionTable(const std::string& inputPath, const std::string& outputPath, std::ostream& err) {
    const std::string temporary = outputPath + ".tmp";
    try {
        std::ifstream in(inputPath, std::ios::binary);
        if (!in) throw CaptionSourceError(inputPath + ": cannot be opened");
        const std::vector<SourceCaption> captions = ParseCaptionSource(in, inputPath);

        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            WriteCaptionTable(captions, out);
            out.close();
            if (!out) throw CaptionSourceError(temporary + ": cannot be written");
        }
        std::filesystem::rename(temporary, outputPath);
        return 0;
    } catch (const std::exception& error) {
        err << "error: " << error.what() << '\n';
        std::error_code ignored;  // the temporary may not exist; nothing else to report
        std::filesystem::remove(temporary, ignored);
        return 1;
    }
}

}  // namespace vormid::lexicon
