#pragma once
// Exit statuses of vormid-cli. Scripts depend on these values.

namespace vormid::cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitBudgetFailed = 1,  // at least one budget could not be calculated
    kExitUsage = 2,         // bad command line
    kExitFileError = 3,     // an input could not be read or is damaged, or an output could not be written
};

}  // namespace vormid::cli
