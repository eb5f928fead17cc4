#include "imageio/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "core/ErrorText.h"
#include "core/Errors.h"
#include "core/FileDescriptor.h"
#include "core/Format.h"

namespace qm {
namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, int error)
{
    throw ErrorMessage(Format("ファイル \"%s\". %s は開けません", {path, SystemErrorText(error)}));
}

// A fresh name beside path that no other writer of this process uses.
std::string TemporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return Format("%s.tmp-%d-%d", {path, static_cast<long>(::getpid()),
                                   static_cast<long>(counter.fetch_add(1))});
}

// Creates a new temporary file beside path; returns its descriptor and name.
FileDescriptor CreateTemporary(const std::string& path, std::string& name)
{
    for (int attempt = 0;; ++attempt) {
        name = TemporaryNameFor(path);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return FileDescriptor(fd);
        }
        if (errno != EEXIST || attempt == 100) {
            ThrowCreateError(path, errno);
        }
    }
}

}  // namespace

void ThrowCreateError(const std::string& path, int error)
{
    throw ErrorMessage(Format("ファイル \"%s\". %s を作成できません", {path, SystemErrorText(error)}));
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    // Not blocking, so that a named pipe cannot hold the program up; only
    // regular files are read.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        ThrowOpenError(path, errno);
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        ThrowOpenError(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        ThrowOpenError(path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    }
    if (info.st_size > kMaxImageFileBytes) {
        ThrowOpenError(path, EFBIG);
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowOpenError(path, errno);
        }
        if (n == 0) {
            return bytes;
        }
        if (static_cast<std::int64_t>(bytes.size()) + n > kMaxImageFileBytes) {
            ThrowOpenError(path, EFBIG);
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    CommitTemporaryFile(WriteTemporaryFile(path, bytes), path);
}

std::string WriteTemporaryFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::string temporary;
    FileDescriptor file = CreateTemporary(path, temporary);
    int error = WriteAll(file.Get(), bytes);
    if (error == 0 && ::fsync(file.Get()) != 0) {
        error = errno;
    }
    if (const int closed = file.Close(); error == 0) {
        error = closed;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        ThrowCreateError(path, error);
    }
    return temporary;
}

void CommitTemporaryFile(const std::string& temporary, const std::string& path)
{
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        ThrowCreateError(path, error);
    }
}

void DiscardTemporaryFile(const std::string& temporary)
{
    ::unlink(temporary.c_str());
}

}  // namespace qm
