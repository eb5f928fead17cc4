#include "imageio/FileIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "core/Errors.h"
#include "core/FileDescriptor.h"
#include "core/Format.h"
#include "imageio/SourceFile.h"

namespace qm {
namespace {

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
    throw ErrorMessage(Format("ファイル \"%s\". %s を作成できません", {path, std::strerror(error)}));
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    SourceFile(path).ReadRest(bytes);
    return bytes;
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
