// Reading Captions.txt and writing the compiled-in table: the build-time
// generator's logic, kept apart from its main() so that tests can drive it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace vormid::lexicon {

// A malformed or inconsistent caption text; the message names the line.
class CaptionSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SourceCaption {
    std::uint16_t id;
    std::string text;  // Windows-1251 bytes
    int line;          // line of Captions.txt, for messages
};

// Every caption of the text, sorted by id. `name` prefixes error messages.
// Throws CaptionSourceError for a bad line, a block whose caption count does
// not match its range and missing numbers, a repeated id or a reserved id.
std::vector<SourceCaption> ParseCaptionSource(std::istream& in, const std::string& name);

// C++ source defining kCaptions and kCaptionCount (see CaptionStore.h).
// captions must be sorted by id. Never fails apart from stream errors.
void WriteCaptionTable(const std::vector<SourceCaption>& captions, std::ostream& out);

// Reads inputPath and writes the table to outputPath through a temporary file,
// so a failed run leaves no half-written source. Returns 0, or 1 after one
// message on err.
int GenerateCaptionTable(const std::string& inputPath, const std::string& outputPath, std::ostream& err);

}  // namespace vormid::lexicon
