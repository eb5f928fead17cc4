// SPDX-License-Identifier: MIT
#include "core/FileDescriptor.h"

#include <unistd.h>

#include <cerrno>

namespace qm {

FileDescriptor::~FileDescriptor()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int FileDescriptor::Close()
{
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

int WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace qm
