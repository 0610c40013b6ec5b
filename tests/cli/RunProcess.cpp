#include "RunProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace vormid::test {
namespace {

// Both ends close with the object, so no path out of RunProcess leaks one.
struct Pipe {
    int Fd[2] = {-1, -1};
    Pipe() {
        if (pipe2(Fd, O_CLOEXEC) != 0) throw std::runtime_error("cannot create a pipe");
    }
    ~Pipe() { CloseBoth(); }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void Close(int end) {
        if (Fd[end] >= 0) close(Fd[end]);
        Fd[end] = -1;
    }
    void CloseBoth() {
        Close(0);
        Close(1);
    }
};

struct FileActions {
    posix_spawn_file_actions_t A;
    FileActions() { posix_spawn_file_actions_init(&A); }
    ~FileActions() { posix_spawn_file_actions_destroy(&A); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
};

struct Stream {
    Pipe* From;
    std::string* Text;
};

// Reads the pipes together until all are closed: reading one to its end
// first would block a child that fills another pipe's buffer.
void Drain(std::vector<Stream> streams) {
    char buffer[65536];
    for (;;) {
        std::vector<pollfd> fds;
        std::vector<Stream*> open;
        for (Stream& s : streams)
            if (s.From->Fd[0] >= 0) {
                fds.push_back({s.From->Fd[0], POLLIN, 0});
                open.push_back(&s);
            }
        if (fds.empty()) return;
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("cannot wait for the child's output");
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0)
                open[i]->Text->append(buffer, static_cast<std::size_t>(got));
            else if (got == 0 || errno != EINTR)
                open[i]->From->Close(0);
        }
    }
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options) {
    const bool capture_out = options.Output.empty();
    Pipe err;
    Pipe out_pipe;
    FileActions actions;
    posix_spawn_file_actions_addopen(&actions.A, 0, options.Input.c_str(), O_RDONLY, 0);
    if (capture_out)
        posix_spawn_file_actions_adddup2(&actions.A, out_pipe.Fd[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions.A, 1, options.Output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions.A, err.Fd[1], 2);
    if (!options.WorkDir.empty()) posix_spawn_file_actions_addchdir_np(&actions.A, options.WorkDir.c_str());

    std::vector<std::string> argv_s = {program};
    argv_s.insert(argv_s.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argv_s) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions.A, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + program);
    // Our copies of the write ends go, so the reads end when the child's do.
    out_pipe.Close(1);
    err.Close(1);
    if (!capture_out) out_pipe.CloseBoth();

    ProcessResult r;
    std::vector<Stream> streams = {{&err, &r.Err}};
    if (capture_out) streams.push_back({&out_pipe, &r.Out});
    Drain(streams);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) throw std::runtime_error("cannot wait for " + program);
    if (WIFEXITED(status)) r.Status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) r.Signal = WTERMSIG(status);
    return r;
}

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

}  // namespace vormid::test
