// SPDX-License-Identifier: MIT
#include "imageio/SourceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/ErrorText.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/FileIo.h"

namespace qm {
namespace {

[[noreturn]] void ThrowOpenError(const std::string& path, int error)
{
    throw ErrorMessage(Format(T("ファイル \"%s\". %s は開けません"), {path, SystemErrorText(error)}));
}

}  // namespace

// Not blocking, so that a named pipe cannot hold the program up; only
// regular files are read.
SourceFile::SourceFile(const std::string& path)
    : path_(path), file_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
{
    if (file_.Get() < 0) {
        ThrowOpenError(path_, errno);
    }
    struct stat info {};
    if (::fstat(file_.Get(), &info) != 0) {
        ThrowOpenError(path_, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        ThrowOpenError(path_, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    }
    if (info.st_size > kMaxImageFileBytes) {
        ThrowOpenError(path_, EFBIG);
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
}

void SourceFile::ReadUpTo(std::vector<std::uint8_t>& bytes, std::uint64_t count)
{
    bytes.reserve(static_cast<std::size_t>(std::min(count, size_)));
    std::uint8_t buffer[65536];
    while (bytes.size() < count) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer, count - bytes.size()));
        const ssize_t n = ::read(file_.Get(), buffer, wanted);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowOpenError(path_, errno);
        }
        if (n == 0) {
            return;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

void SourceFile::ReadRest(std::vector<std::uint8_t>& bytes)
{
    ReadUpTo(bytes, kMaxImageFileBytes + 1);
    if (static_cast<std::int64_t>(bytes.size()) > kMaxImageFileBytes) {
        ThrowOpenError(path_, EFBIG);
    }
}

}  // namespace qm
