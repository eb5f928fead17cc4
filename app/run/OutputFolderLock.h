// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "app/Platform.h"
#include "imageio/FolderLock.h"

namespace qm {

// One run at a time in a folder: the lock of a run on the folder it writes
// into (outDirectory as a run takes it, empty for the working folder or
// ending in "/"), held for as long as the object lives. When another run
// holds it, an error box says so and SilentStop ends the action before
// anything is written; where the folder cannot be locked (a file system
// without locks), one warning line says so and the run goes on.
class OutputFolderLock {
public:
    OutputFolderLock(Platform& platform, const std::string& outDirectory);

private:
    FolderLock lock_;
};

}  // namespace qm
