#pragma once
// The whole of vormid-cli behind main(): parse the command line, run one
// command, return its exit status. Data goes to out, messages to err.
#include <ostream>
#include <string>
#include <vector>

#include "cli/Args.h"

namespace vormid::cli {

using Runner = int (*)(const ParsedArgs&, std::ostream&, std::ostream&);

struct ToolCommand {
    CommandSpec Usage;
    Runner Run;
};

// args excludes the program name. Never throws. extra: commands that need
// more than the standard library (the report needs Qt, its check the PDF
// library); the executable passes those it was built with.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::vector<ToolCommand>& extra = {});

// main() of the tool and of its helper: RunTool on argv with the standard
// streams, exit status 3 when standard output could not be written.
int ToolMain(int argc, char** argv, const std::vector<ToolCommand>& extra);

}  // namespace vormid::cli
