// SPDX-License-Identifier: MIT
#include "plugin/PluginHost.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iterator>
#include <optional>
#include <system_error>

#include "plugin/HostProcess.h"
#include "plugin/HostProtocol.h"
#include "plugin/PluginHostFailure.h"

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

// Spends the running time of a host from its start to its end.
class SpentTime {
public:
    explicit SpentTime(PluginTimeBudget& budget) : budget_(budget), start_(Clock::now()) {}
    ~SpentTime() { budget_.Spend(Clock::now() - start_); }
    SpentTime(const SpentTime&) = delete;
    SpentTime& operator=(const SpentTime&) = delete;

    Clock::time_point Deadline() const { return start_ + budget_.Left(); }

private:
    PluginTimeBudget& budget_;
    Clock::time_point start_;
};

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
    std::optional<PluginTimeBudget> own;
    PluginTimeBudget& budget =
        PluginTimeBudget::Open() != nullptr ? *PluginTimeBudget::Open() : own.emplace(timeLimit);

    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw PluginHostFailure::NotStarted(program.string());
    }
    Descriptor readEnd(ends[0]);
    Descriptor writeEnd(ends[1]);
    const SpentTime spent(budget);
    HostProcess host;
    const bool started = host.Start(program, arguments, writeEnd.Get());
    writeEnd.Close();
    if (!started) {
        throw PluginHostFailure::NotStarted(program.string());
    }
    // Readable once the host has ended.
    const Descriptor ended(static_cast<int>(syscall(SYS_pidfd_open, host.Pid(), 0)));
    if (ended.Get() < 0 || fcntl(readEnd.Get(), F_SETFL, O_NONBLOCK) != 0) {
        throw PluginHostFailure::NotStarted(program.string());
    }

    std::vector<char> bytes;
    bool tooLong = false;
    pollfd watched[2] = {{readEnd.Get(), POLLIN, 0}, {ended.Get(), POLLIN, 0}};
    for (;;) {
        const int wait = RemainingMilliseconds(spent.Deadline());
        if (wait == 0) {
            throw PluginHostFailure::Timeout(budget.Limit());
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
    // A process the library started may hold the pipe open: what the host
    // wrote is in it now, and the rest of its group ends here.
    const int status = host.Reap();
    ReadAvailable(readEnd.Get(), bytes, tooLong);

    if (WIFSIGNALED(status)) {
        throw PluginHostFailure::Signal(WTERMSIG(status));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.empty()) {
        throw PluginHostFailure::Exit(WEXITSTATUS(status));
    }
    if (tooLong || bytes.size() % sizeof(std::int32_t) != 0) {
        throw PluginHostFailure::Garbage();
    }
    std::vector<std::int32_t> values(bytes.size() / sizeof(std::int32_t));
    std::memcpy(values.data(), bytes.data(), bytes.size());
    if (values == std::vector<std::int32_t>(std::begin(host::kOutOfMemoryAnswer),
                                            std::end(host::kOutOfMemoryAnswer))) {
        throw PluginHostFailure::OutOfMemory();
    }
    return values;
}

}  // namespace qm
