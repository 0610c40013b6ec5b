// vormid-cli: evaluates, inspects and converts model files without a window.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "cli/ExitCodes.h"
#include "cli/ExtraCommands.h"

namespace {

char** gArgv = nullptr;

// The helper is beside the tool in the build tree, in the program's private
// folder once installed.
std::string HelperPath() {
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size());
    self.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::string dir = self.substr(0, self.find_last_of('/') + 1);
    const std::string beside = dir + VORMID_HELPER_NAME;
    if (access(beside.c_str(), X_OK) == 0) return beside;
    return dir + VORMID_HELPER_FROM_BIN "/" VORMID_HELPER_NAME;
}

// The helper parses the same command line again and runs the command with
// the tool's streams, so output and exit status are its own.
[[maybe_unused]] int RunInHelper(const vormid::cli::ParsedArgs&, std::ostream&, std::ostream& err) {
    const std::string helper = HelperPath();
    gArgv[0] = const_cast<char*>(helper.c_str());
    execv(helper.c_str(), gArgv);
    err << "vormid-cli: " << helper << ": " << std::strerror(errno) << '\n';
    return vormid::cli::kExitFileError;
}

}  // namespace

int main(int argc, char** argv) {
    gArgv = argv;
    std::vector<vormid::cli::ToolCommand> extra;
#ifdef VORMID_HAVE_REPORT
    extra.push_back({vormid::cli::ReportUsage(), RunInHelper});
#endif
#ifdef VORMID_HAVE_VERIFY
    extra.push_back({vormid::cli::VerifyUsage(), RunInHelper});
#endif
    return vormid::cli::ToolMain(argc, argv, extra);
}
