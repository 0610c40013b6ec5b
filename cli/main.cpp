// vormid-cli: evaluates, inspects and converts model files without a window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/ExtraCommands.h"
#include "cli/Tool.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<vormid::cli::ToolCommand> extra;
#ifdef VORMID_HAVE_REPORT
    for (auto& c : vormid::cli::ReportCommands()) extra.push_back(std::move(c));
#endif
#ifdef VORMID_HAVE_VERIFY
    for (auto& c : vormid::cli::VerifyCommands()) extra.push_back(std::move(c));
#endif
    const int status = vormid::cli::RunTool(args, std::cout, std::cerr, extra);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "vormid-cli: стандартният изход не може да се запише\n";
        return 3;
    }
    return status;
}
