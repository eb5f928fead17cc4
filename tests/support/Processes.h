// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace qm::test {

// The process ids written as text in the file, once it is there (waiting
// up to a minute for it); empty when it never came.
std::vector<pid_t> PidsInFile(const std::string& file);

// True when the process has ended, at once or within ten seconds (a
// process sent SIGKILL needs a moment): gone, or dead and waiting for its
// parent to reap it.
bool ProcessEnds(pid_t pid);

}  // namespace qm::test
