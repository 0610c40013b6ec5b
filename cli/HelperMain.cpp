// vormid-cli-report: the commands of vormid-cli that load Qt or the PDF
// library, started by vormid-cli with the user's command line.
#include "cli/ExtraCommands.h"

int main(int argc, char** argv) {
    std::vector<vormid::cli::ToolCommand> extra;
#ifdef VORMID_HAVE_REPORT
    extra = vormid::cli::ReportCommands();
#endif
#ifdef VORMID_HAVE_VERIFY
    for (auto& c : vormid::cli::VerifyCommands()) extra.push_back(std::move(c));
#endif
    return vormid::cli::ToolMain(argc, argv, extra);
}
