// "vormid-cli import": a checked JSON document into a model file.
#include <filesystem>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/FileBytes.h"
#include "cli/FileError.h"
#include "cli/ModelFile.h"
#include "cli/ModelJson.h"

namespace vormid::cli {

int RunImport(const ParsedArgs& args, std::ostream&, std::ostream& err) {
    const std::string& input = args.Operands.at(0);
    const std::string& output = args.Options.at("-o");
    if (output.empty()) throw UsageError("опцията -o изисква име на файл");
    std::error_code ec;
    if (std::filesystem::exists(output, ec) && std::filesystem::equivalent(input, output, ec))
        throw UsageError("входният файл не може да бъде и изходен: „" + output + "“");

    const std::string text = ReadInputFile(input);
    Json doc;
    try {
        doc = Json::parse(text);
    } catch (const Json::parse_error& e) {
        // The library's message gives the byte position.
        throw FileError("файлът „" + input + "“ не е валиден JSON: " + e.what());
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
