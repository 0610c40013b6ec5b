#pragma once
// Runs the built vormid-cli as a child process and collects what it wrote.
#include <string>
#include <vector>

namespace vormid::cli::test {

struct ProcessResult {
    int Status = -1;      // exit status, or -1 when the process did not exit normally
    int Signal = 0;       // the signal that ended it, if any
    std::string Out;
    std::string Err;
};

ProcessResult RunCli(const std::vector<std::string>& args);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// A fresh empty directory for one test.
std::string TempDir(const std::string& name);

}  // namespace vormid::cli::test
