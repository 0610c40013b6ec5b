#pragma once
// Command-line parsing of vormid-cli: one command word, its operands and its
// options. Knows nothing of what the commands do.
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vormid::cli {

struct OptionSpec {
    std::string Name;                  // "--format" or "-o"
    std::vector<std::string> Choices;  // allowed values; empty: any value
    std::string Default;               // value when the option is not given
    bool Required = false;
    bool Flag = false;  // takes no value: "1" when given, Default otherwise
};

struct CommandSpec {
    std::string Name;
    std::string Synopsis;  // one line for the overview
    std::string Help;      // full text of "vormid-cli NAME --help"
    int Operands = 1;      // number of operands (file names) required
    std::vector<OptionSpec> Options;
};

struct ParsedArgs {
    const CommandSpec* Command = nullptr;  // nullptr for the tool's own --help/--version
    bool Help = false;
    bool Version = false;
    std::vector<std::string> Operands;
    std::map<std::string, std::string> Options;  // every option of the command, defaults filled in
};

// A command line that does not fit the specs; the text is for the user.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Parses argv[1..]. Throws UsageError. "--opt=value" and "--opt value" are
// both accepted; "--" ends the options.
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<CommandSpec>& commands);

}  // namespace vormid::cli
