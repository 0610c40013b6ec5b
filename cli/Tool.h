#pragma once
// The whole of vormid-cli behind main(): parse the command line, run one
// command, return its exit status. Data goes to out, messages to err.
#include <ostream>
#include <string>
#include <vector>

namespace vormid::cli {

// args excludes the program name. Never throws.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vormid::cli
