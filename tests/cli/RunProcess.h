#pragma once
// Runs a program as a child process, as a batch script would, and collects
// its exit status and what it wrote. Shared by the tool's process tests and
// the whole-process benchmarks, so both start the tool the same way.
#include <string>
#include <vector>

namespace vormid::test {

struct ProcessResult {
    int Status = -1;  // exit status, or -1 when the process did not exit normally
    int Signal = 0;   // the signal that ended it, if any
    std::string Out;  // standard output, unless it went to ProcessOptions::Output
    std::string Err;  // standard error
};

struct ProcessOptions {
    std::string Input = "/dev/null";  // the file on standard input
    std::string Output;               // a file for standard output instead of ProcessResult::Out
    std::string WorkDir;              // the child's current directory; empty: ours
};

// Throws std::runtime_error when the program cannot be started.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {});

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace vormid::test
