#include "RunProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace vormid::cli::test {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir(const std::string& name) {
    const auto dir = std::filesystem::path(VORMID_TEST_TMP) / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

ProcessResult RunCli(const std::vector<std::string>& args) {
    static int counter = 0;
    const std::string base = std::string(VORMID_TEST_TMP) + "/run" + std::to_string(getpid()) + "_" +
                             std::to_string(counter++);
    const std::string out_path = base + ".out", err_path = base + ".err";
    std::filesystem::create_directories(VORMID_TEST_TMP);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<std::string> argv_s = {VORMID_CLI_PATH};
    argv_s.insert(argv_s.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argv_s) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, VORMID_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + std::string(VORMID_CLI_PATH));
    int status = 0;
    waitpid(pid, &status, 0);

    ProcessResult r;
    if (WIFEXITED(status)) r.Status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) r.Signal = WTERMSIG(status);
    r.Out = ReadFile(out_path);
    r.Err = ReadFile(err_path);
    std::filesystem::remove(out_path);
    std::filesystem::remove(err_path);
    return r;
}

}  // namespace vormid::cli::test
