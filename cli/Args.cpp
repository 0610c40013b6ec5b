#include "cli/Args.h"

#include <algorithm>

namespace vormid::cli {
namespace {

const OptionSpec* FindOption(const CommandSpec& cmd, const std::string& name) {
    for (const auto& o : cmd.Options)
        if (o.Name == name) return &o;
    return nullptr;
}

std::string Join(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

}  // namespace

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<CommandSpec>& commands) {
    ParsedArgs parsed;
    if (args.empty()) throw UsageError("липсва команда");
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        if (args.size() == 1) {
            parsed.Help = true;
            return parsed;
        }
        if (first == "help" && args.size() == 2) {
            for (const auto& c : commands)
                if (c.Name == args[1]) {
                    parsed.Command = &c;
                    parsed.Help = true;
                    return parsed;
                }
            throw UsageError("непозната команда \"" + args[1] + "\"");
        }
        throw UsageError("излишен аргумент \"" + args[1] + "\"");
    }
    if (first == "--version") {
        if (args.size() != 1) throw UsageError("излишен аргумент \"" + args[1] + "\"");
        parsed.Version = true;
        return parsed;
    }
    for (const auto& c : commands)
        if (c.Name == first) parsed.Command = &c;
    if (!parsed.Command) throw UsageError("непозната команда \"" + first + "\"");
    const CommandSpec& cmd = *parsed.Command;

    bool options_done = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!options_done && a == "--") {
            options_done = true;
            continue;
        }
        if (!options_done && (a == "--help" || a == "-h")) {
            parsed.Help = true;
            continue;
        }
        if (!options_done && a.size() > 1 && a[0] == '-') {
            std::string name = a, value;
            bool has_value = false;
            if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
                has_value = true;
            }
            const OptionSpec* opt = FindOption(cmd, name);
            if (!opt) throw UsageError("непозната опция \"" + name + "\" за командата " + cmd.Name);
            if (opt->Flag) {
                if (has_value) throw UsageError("опцията " + name + " не приема стойност");
                value = "1";
            } else if (!has_value) {
                if (i + 1 >= args.size()) throw UsageError("опцията " + name + " изисква стойност");
                value = args[++i];
            }
            if (!opt->Choices.empty() &&
                std::find(opt->Choices.begin(), opt->Choices.end(), value) == opt->Choices.end())
                throw UsageError("недопустима стойност \"" + value + "\" за " + name +
                                 " (възможни: " + Join(opt->Choices) + ")");
            if (parsed.Options.count(name)) throw UsageError("опцията " + name + " е дадена повече от веднъж");
            parsed.Options[name] = value;
            continue;
        }
        parsed.Operands.push_back(a);
    }
    if (parsed.Help) return parsed;
    for (const auto& o : cmd.Options) {
        if (parsed.Options.count(o.Name)) continue;
        if (o.Required) throw UsageError("липсва опцията " + o.Name + " за командата " + cmd.Name);
        parsed.Options[o.Name] = o.Default;
    }
    if (static_cast<int>(parsed.Operands.size()) < cmd.Operands)
        throw UsageError("липсва име на файл за командата " + cmd.Name);
    if (static_cast<int>(parsed.Operands.size()) > cmd.Operands)
        throw UsageError("излишен аргумент \"" + parsed.Operands[cmd.Operands] + "\"");
    return parsed;
}

}  // namespace vormid::cli
