// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "core/FileDescriptor.h"

namespace qm {

// An exclusive lock on a folder for as long as the object lives. The folder
// itself is opened and locked with flock, so no lock file is made and the
// lock ends with the process however it ends. Another open of the folder,
// in this process or another, cannot take the lock meanwhile.
class FolderLock {
public:
    // Tries once, without waiting.
    explicit FolderLock(const std::string& folder);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // 0 when the lock is held, otherwise the errno of the failure:
    // EWOULDBLOCK when another holds it, ENOLCK or EOPNOTSUPP where the file
    // system cannot lock, or why the folder could not be opened.
    int Error() const { return error_; }

private:
    FileDescriptor folder_;
    int error_ = 0;
};

}  // namespace qm
