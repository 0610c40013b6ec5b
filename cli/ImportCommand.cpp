// "vormid-cli import": a checked JSON document into a model file.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/FileBytes.h"
#include "cli/FileError.h"
#include "cli/ModelFile.h"
#include "cli/ModelJson.h"

namespace vormid::cli {
namespace {

// Where the syntax breaks, as a person counts: line and column of the byte
// (the library counts bytes from 1), and the usual cause of a lab's file.
std::string JsonSyntaxPlace(const std::string& text, std::size_t byte) {
    const std::size_t at = byte > 0 ? std::min(byte - 1, text.size()) : 0;
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < at; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;  // a character, not a continuation byte of UTF-8
        }
    }
    std::string where = "синтактична грешка на ред " + std::to_string(line) + ", колона " + std::to_string(column);
    if (at >= text.size()) return where + " (документът свършва преждевременно)";
    // "1,5" where JSON wants "1.5" is the likeliest slip: the parser stops
    // at the digit after the comma.
    auto digit = [&](std::size_t i) { return std::isdigit(static_cast<unsigned char>(text[i])) != 0; };
    if (at >= 2 && text[at - 1] == ',' && digit(at - 2) && digit(at))
        return where + " (десетична запетая в число? В JSON десетичният знак е точка: 1.5)";
    return where;
}

}  // namespace

int RunImport(const ParsedArgs& args, std::ostream&, std::ostream& err) {
    const std::string& input = args.Operands.at(0);
    const std::string& output = args.Options.at("-o");
    if (output.empty()) throw UsageError("опцията -o изисква име на файл");
    std::error_code ec;
    if (!IsStandardStream(input) && !IsStandardStream(output) && std::filesystem::exists(output, ec) &&
        std::filesystem::equivalent(input, output, ec))
        throw UsageError("входният файл не може да бъде и изходен: „" + output + "“");

    const std::string text = ReadInputFile(input);
    Json doc;
    try {
        doc = Json::parse(text);
    } catch (const Json::parse_error& e) {
        throw FileError("файлът „" + input + "“ не е валиден JSON: " + JsonSyntaxPlace(text, e.byte));
    }
    auto model = std::make_unique<LoadedModel>();
    std::vector<std::string> warnings;
    try {
        ModelFromJson(doc, model->Model, model->Display, &warnings);
    } catch (const JsonFieldError& e) {
        err << "vormid-cli: " << input << ": поле " << e.what() << '\n';
        return kExitFileError;
    }
    for (const std::string& w : warnings) err << "vormid-cli: " << input << ": предупреждение: поле " << w << '\n';
    SaveModelFile(output, model->Model, model->Display);
    return kExitOk;
}

}  // namespace vormid::cli
