// SPDX-License-Identifier: MIT
#include "app/pages/PageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Errors.h"
#include "core/FileDescriptor.h"
#include "imageio/FileIo.h"

namespace qm {
namespace {

using Bytes = std::span<const std::uint8_t>;

// Writes bytes at the start of the open file and then sets the file's
// length, so nothing is cut unless all bytes are written. Returns 0 or the
// errno of the first failure.
int WriteFromStart(int fd, Bytes bytes, off_t length)
{
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        return errno;
    }
    if (const int error = WriteAll(fd, bytes); error != 0) {
        return error;
    }
    if (::fsync(fd) != 0 || ::ftruncate(fd, length) != 0) {
        return errno;
    }
    return 0;
}

// Overwrites the existing file in place. Only the part of the old content
// that the new one covers is kept in memory: the file is cut only after the
// new bytes are all written, so the rest of the old content is still there
// when a write fails, and putting back that part and the old length
// restores the file. Only a regular file is overwritten: a symbolic link is
// not followed, and a device or pipe is not waited for. Throws the creation
// failure when the file cannot be opened or its old content read.
void OverwriteInPlace(const std::string& path, Bytes data, const TemporaryNotCreated& notCreated)
{
    FileDescriptor existing(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (existing.Get() < 0 || ::fstat(existing.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        throw notCreated;
    }
    std::vector<std::uint8_t> old(
        std::min(static_cast<std::size_t>(info.st_size), data.size()));
    if (::pread(existing.Get(), old.data(), old.size(), 0) != static_cast<ssize_t>(old.size())) {
        throw notCreated;
    }
    int error = WriteFromStart(existing.Get(), data, static_cast<off_t>(data.size()));
    if (error != 0) {
        WriteFromStart(existing.Get(), old, info.st_size);
    }
    if (const int closed = existing.Close(); error == 0) {
        error = closed;
    }
    if (error != 0) {
        ThrowCreateError(path, error);
    }
}

}  // namespace

void WritePageFile(const std::string& path, const std::string& bytes)
{
    const Bytes data(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    try {
        WriteFileAtomically(path, data);
    } catch (const TemporaryNotCreated& notCreated) {
        OverwriteInPlace(path, data, notCreated);
    }
}

}  // namespace qm
