// SPDX-License-Identifier: MIT
#include "imageio/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace qm {

FolderLock::FolderLock(const std::string& folder)
    : folder_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (folder_.Get() < 0 || ::flock(folder_.Get(), LOCK_EX | LOCK_NB) != 0) {
        error_ = errno;
    }
}

}  // namespace qm
