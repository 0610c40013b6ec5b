#pragma once
// Commands of vormid-cli that need more than the standard library: the
// report needs Qt (its offscreen platform, no display), the check of a
// report the PDF library. Loading those libraries would cost every command
// of the tool its start-up time, so these two run in a helper program
// (vormid-cli-report) that the tool starts only for them. The tool knows
// their usage; the helper also how to run them.
#include <vector>

#include "cli/Tool.h"

namespace vormid::cli {

CommandSpec ReportUsage();
CommandSpec VerifyUsage();

std::vector<ToolCommand> ReportCommands();
std::vector<ToolCommand> VerifyCommands();

}  // namespace vormid::cli
