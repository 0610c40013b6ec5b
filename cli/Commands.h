#pragma once
// One function per command of vormid-cli. Each returns an exit status
// (ExitCodes.h) and may throw; RunTool turns what they throw into messages.
#include <ostream>

#include "cli/Args.h"

namespace vormid::cli {

int RunBudget(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunStats(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunDump(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunExport(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunMc(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunImport(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunValidate(const ParsedArgs& args, std::ostream& out, std::ostream& err);

}  // namespace vormid::cli
