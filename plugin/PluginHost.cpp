// SPDX-License-Identifier: MIT
#include "plugin/PluginHost.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "plugin/HostProtocol.h"
#include "plugin/PluginHostFailure.h"

extern char** environ;

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;

// A file descriptor closed with the object.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    void Close()
    {
        if (fd_ >= 0) {
            close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

// A started host; killed and reaped with the object unless reaped before.
class HostProcess {
public:
    explicit HostProcess(pid_t pid) : pid_(pid) {}
    ~HostProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            Reap();
        }
    }
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    pid_t Pid() const { return pid_; }

    // Waits for the end of the host and returns its wait status.
    int Reap()
    {
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_;
};

// The folder of the running program.
std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw PluginHostFailure::NotStarted(host::kProgramName);
    }
    return self.parent_path();
}

bool IsProgram(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

pid_t Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            int answerFd)
{
    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, answerFd, STDOUT_FILENO);
    // The host starts with no signal blocked and every signal at its default.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

// Appends what can be read now, keeping at most the longest answer's bytes
// (more marks the answer as too long); false at the end of the stream.
bool ReadAvailable(int fd, std::vector<char>& bytes, bool& tooLong)
{
    constexpr std::size_t kMaxBytes = host::kMaxAnswerValues * sizeof(std::int32_t);
    char chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got > 0) {
            const auto size = static_cast<std::size_t>(got);
            if (bytes.size() + size > kMaxBytes) {
                tooLong = true;
            } else {
                bytes.insert(bytes.end(), chunk, chunk + size);
            }
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return got < 0 && errno == EAGAIN;
    }
}

int RemainingMilliseconds(Clock::time_point deadline)
{
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

std::filesystem::path FindPluginHost(const std::filesystem::path& programFolder)
{
    const std::filesystem::path beside = programFolder / host::kProgramName;
    const std::filesystem::path installed =
        (programFolder / ".." / "libexec" / "quillmore" / host::kProgramName).lexically_normal();
    if (!IsProgram(beside) && IsProgram(installed)) {
        return installed;
    }
    return beside;
}

std::vector<std::int32_t> RunPluginHost(const std::vector<std::string>& arguments,
                                        std::chrono::seconds timeLimit)
{
    const std::filesystem::path program = FindPluginHost(ProgramFolder());
    const auto deadline = Clock::now() + timeLimit;

    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw PluginHostFailure::NotStarted(program.string());
    }
    Descriptor readEnd(ends[0]);
    Descriptor writeEnd(ends[1]);
    const pid_t pid = Spawn(program, arguments, writeEnd.Get());
    writeEnd.Close();
    if (pid < 0) {
        throw PluginHostFailure::NotStarted(program.string());
    }
    HostProcess host(pid);
    // Readable once the host has ended.
    const Descriptor ended(static_cast<int>(syscall(SYS_pidfd_open, pid, 0)));
    if (ended.Get() < 0 || fcntl(readEnd.Get(), F_SETFL, O_NONBLOCK) != 0) {
        throw PluginHostFailure::NotStarted(program.string());
    }

    std::vector<char> bytes;
    bool tooLong = false;
    pollfd watched[2] = {{readEnd.Get(), POLLIN, 0}, {ended.Get(), POLLIN, 0}};
    for (;;) {
        const int wait = RemainingMilliseconds(deadline);
        if (wait == 0) {
            throw PluginHostFailure::Timeout(timeLimit);
        }
        if (poll(watched, 2, wait) < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw PluginHostFailure::NotStarted(program.string());
        }
        if (watched[0].revents != 0 && !ReadAvailable(readEnd.Get(), bytes, tooLong)) {
            watched[0].fd = -1;
        }
        if (watched[1].revents != 0) {
            break;
        }
    }
    ReadAvailable(readEnd.Get(), bytes, tooLong);

    const int status = host.Reap();
    if (WIFSIGNALED(status)) {
        throw PluginHostFailure::Signal(WTERMSIG(status));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw PluginHostFailure::Exit(WEXITSTATUS(status));
    }
    if (tooLong || bytes.size() % sizeof(std::int32_t) != 0) {
        throw PluginHostFailure::Garbage();
    }
    std::vector<std::int32_t> values(bytes.size() / sizeof(std::int32_t));
    if (!values.empty()) {
        std::memcpy(values.data(), bytes.data(), bytes.size());
    }
    return values;
}

}  // namespace qm
