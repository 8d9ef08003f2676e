#include "import/ChildProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

extern char** environ;

namespace pw {

namespace {

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Close(); }
    void Close() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

// The input goes to the child in a memory file rather than a pipe: the
// child reads it at its own pace, nothing here blocks on writing, and a
// child that dies early cannot raise SIGPIPE in the program.
bool InputFile(const std::string& input, Fd& out) {
    out.fd = ::memfd_create("popwright-child-input", MFD_CLOEXEC);
    if (out.fd < 0) return false;
    const char* p = input.data();
    std::size_t left = input.size();
    while (left > 0) {
        const ssize_t n = ::write(out.fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return ::lseek(out.fd, 0, SEEK_SET) == 0;
}

struct SpawnActions {
    posix_spawn_file_actions_t actions{};
    bool made = false;
    SpawnActions() { made = ::posix_spawn_file_actions_init(&actions) == 0; }
    ~SpawnActions() {
        if (made) ::posix_spawn_file_actions_destroy(&actions);
    }
};

}  // namespace

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments, const std::string& input,
                      int seconds, std::size_t maxOutput) {
    ProgramRun run;
    run.outcome = ProgramOutcome::Failed;
    Fd in;
    int pipeFds[2];
    if (!InputFile(input, in) || ::pipe2(pipeFds, O_CLOEXEC) != 0) return run;
    Fd readEnd(pipeFds[0]), writeEnd(pipeFds[1]);

    SpawnActions spawn;
    if (!spawn.made) return run;
    // dup2 clears close-on-exec on the copies, so the child keeps exactly these three.
    if (::posix_spawn_file_actions_adddup2(&spawn.actions, in.fd, 0) != 0 ||
        ::posix_spawn_file_actions_adddup2(&spawn.actions, writeEnd.fd, 1) != 0 ||
        ::posix_spawn_file_actions_addopen(&spawn.actions, 2, "/dev/null", O_WRONLY, 0) != 0)
        return run;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = -1;
    if (::posix_spawn(&child, path.c_str(), &spawn.actions, nullptr, argv.data(), environ) != 0) {
        run.outcome = ProgramOutcome::Missing;
        return run;
    }
    writeEnd.Close();
    in.Close();

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    bool ended = false;
    run.outcome = ProgramOutcome::Finished;
    char buffer[65536];
    while (!ended) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.outcome = ProgramOutcome::TooSlow;
            break;
        }
        pollfd wait{readEnd.fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        if (ready < 0 && errno != EINTR) {
            run.outcome = ProgramOutcome::Failed;
            break;
        }
        if (ready <= 0) continue;
        const ssize_t n = ::read(readEnd.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            run.outcome = ProgramOutcome::Failed;
            break;
        }
        if (n == 0) {
            ended = true;
        } else if (run.output.size() + static_cast<std::size_t>(n) > maxOutput) {
            run.outcome = ProgramOutcome::TooMuch;
            break;
        } else {
            run.output.append(buffer, static_cast<std::size_t>(n));
        }
    }
    readEnd.Close();
    // A child still running has been given up on; one that closed its output
    // is waited for briefly, then stopped all the same.
    if (!ended) ::kill(child, SIGKILL);
    int status = 0;
    pid_t waited = 0;
    while ((waited = ::waitpid(child, &status, ended ? WNOHANG : 0)) == 0 || (waited < 0 && errno == EINTR)) {
        if (waited == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(child, SIGKILL);
                ended = false;
                run.outcome = ProgramOutcome::TooSlow;
            } else {
                ::usleep(1000);
            }
        }
    }
    if (run.outcome == ProgramOutcome::Finished && !(waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0))
        run.outcome = ProgramOutcome::Failed;
    if (run.outcome != ProgramOutcome::Finished) run.output.clear();
    return run;
}

}  // namespace pw
