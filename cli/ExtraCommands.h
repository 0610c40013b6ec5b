#pragma once
// Commands of vormid-cli that need more than the standard library: the
// report needs Qt (its offscreen platform, no display), the check of a
// report the PDF library. The executable adds those it was built with.
#include <vector>

#include "cli/Tool.h"

namespace vormid::cli {

std::vector<ToolCommand> ReportCommands();
std::vector<ToolCommand> VerifyCommands();

}  // namespace vormid::cli
