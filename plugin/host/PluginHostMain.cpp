// SPDX-License-Identifier: MIT
// quillmore-plugin-host: makes every call into a plug-in library on behalf
// of the program, so that a library that crashes, exits or hangs takes only
// this process with it. See plugin/HostProtocol.h for what it is asked and
// how it answers.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/HostProtocol.h"
#include "plugin/PluginLimits.h"
#include "plugin/SharedLibrary.h"
#include "plugin/include/quillmore_plugin.h"

namespace {

using namespace qm::host;

constexpr int kUsageError = 2;
constexpr int kWriteError = 1;

using Answer = std::vector<std::int32_t>;

// Where the answer goes; the signal handler writes there too.
int answerFd = -1;

// A library that allocates without end finds the address space used up:
// its allocation fails with ENOMEM, and it dies of the null pointer or of
// the exception it did not catch. That death is answered as a lack of
// memory; any other ends the host by its signal as before.
extern "C" void OnFatalSignal(int signal)
{
    if (errno == ENOMEM) {
        const char* bytes = reinterpret_cast<const char*>(kOutOfMemoryAnswer);
        std::size_t left = sizeof kOutOfMemoryAnswer;
        while (left > 0) {
            const ssize_t written = write(answerFd, bytes, left);
            if (written <= 0) {
                break;
            }
            bytes += written;
            left -= static_cast<std::size_t>(written);
        }
        _exit(0);
    }
    // The handler is reset to the default: raised again, the signal ends
    // the host as soon as this returns.
    raise(signal);
}

// The limits the library runs within, and the handler that tells a lack of
// memory from other deaths.
void Confine()
{
    if constexpr (kAddressSpaceLimited) {
        const rlimit space{static_cast<rlim_t>(kAddressSpaceLimit),
                           static_cast<rlim_t>(kAddressSpaceLimit)};
        setrlimit(RLIMIT_AS, &space);
    }
    // One second more of hard limit: SIGXCPU first, which names the cause;
    // SIGKILL for a library that ignores it.
    const rlimit processor{static_cast<rlim_t>(kProcessorSeconds),
                           static_cast<rlim_t>(kProcessorSeconds + 1)};
    setrlimit(RLIMIT_CPU, &processor);

    struct sigaction fatal {};
    fatal.sa_handler = OnFatalSignal;
    fatal.sa_flags = SA_RESETHAND;
    sigemptyset(&fatal.sa_mask);
    for (const int signal : {SIGSEGV, SIGBUS, SIGABRT}) {
        sigaction(signal, &fatal, nullptr);
    }
    errno = 0;
}

bool ParseSide(const char* text, std::int32_t& side)
{
    const std::string_view view(text);
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), side);
    return error == std::errc() && end == view.data() + view.size();
}

// Loads the library and checks that it is one; false when the answer ends
// here. The exports are looked up all before the first call.
bool Identify(const qm::SharedLibrary& library, int exportCount, void* (&exports)[kExportCount],
              Answer& answer)
{
    if (!library.Loaded()) {
        answer.push_back(kLoadFailed);
        return false;
    }
    for (int n = 0; n < exportCount; ++n) {
        exports[n] = library.Export<void*>(kExportNames[n]);
        if (exports[n] == nullptr) {
            answer.insert(answer.end(), {kMissingExport, n});
            return false;
        }
    }
    const std::int32_t identification = reinterpret_cast<decltype(&::QuillmoreDLL)>(exports[0])();
    answer.insert(answer.end(), {kIdentification, identification});
    return identification == 1;
}

void Check(const char* fileName, Answer& answer)
{
    const qm::SharedLibrary library(fileName);
    void* exports[kExportCount] = {};
    Identify(library, 1, exports, answer);
}

void Map(const char* fileName, std::int32_t x, std::int32_t y, Answer& answer)
{
    const qm::SharedLibrary library(fileName);
    void* exports[kExportCount] = {};
    if (!Identify(library, kExportCount, exports, answer)) {
        return;
    }
    const auto imageSize = reinterpret_cast<decltype(&::MakeImageSize)>(exports[1]);
    const auto transMethod = reinterpret_cast<decltype(&::MakeTransMethod)>(exports[2]);
    const auto symmetryType = reinterpret_cast<decltype(&::SymmetryType)>(exports[3]);

    std::int32_t w = 0;
    std::int32_t h = 0;
    imageSize(x, y, &w, &h);
    answer.insert(answer.end(), {kImageSize, w, h});
    if (!qm::ConvertedSizeAccepted(w, h)) {
        return;
    }
    answer.push_back(kTransMethod);
    // A call that writes nothing repeats the previous answer.
    std::int32_t sx = 0;
    std::int32_t sy = 0;
    for (std::int32_t i = 0; i < w; ++i) {
        for (std::int32_t j = 0; j < h; ++j) {
            transMethod(w, h, i, j, &sx, &sy);
            answer.insert(answer.end(), {sx, sy});
            if (!qm::SourceCellAccepted(sx, sy, x, y)) {
                return;
            }
        }
    }
    answer.insert(answer.end(), {kSymmetryType, symmetryType()});
}

bool WriteAll(int fd, const Answer& answer)
{
    const char* bytes = reinterpret_cast<const char*>(answer.data());
    std::size_t left = answer.size() * sizeof(std::int32_t);
    while (left > 0) {
        const ssize_t written = write(fd, bytes, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    // The answer keeps the standard output the program handed over; what
    // the library prints goes to standard error.
    answerFd = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (answerFd < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return kWriteError;
    }
    Confine();

    Answer answer{kAnswerMagic};
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (argc == 3 && std::strcmp(argv[1], kCheckMode) == 0) {
        Check(argv[2], answer);
    } else if (argc == 5 && std::strcmp(argv[1], kMapMode) == 0 && ParseSide(argv[3], x) &&
               ParseSide(argv[4], y)) {
        Map(argv[2], x, y, answer);
    } else {
        return kUsageError;
    }
    answer.push_back(kEnd);
    return WriteAll(answerFd, answer) ? 0 : kWriteError;
}
