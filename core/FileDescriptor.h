// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

namespace qm {

// Owns an open file descriptor and closes it on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    // Closes now and reports the result, so a late write error is seen:
    // 0, or the errno of the failed close.
    int Close();

private:
    int fd_;
};

// Writes all bytes, going on after interruptions. Returns 0 or the errno of
// the failed write.
int WriteAll(int fd, std::span<const std::uint8_t> bytes);

}  // namespace qm
