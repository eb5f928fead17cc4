// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace qm {

// Removes the temporary files that writers of processes no longer running
// on this machine left for any of files: exactly <file>.tmp-<process
// id>-<number>, beside the file. Nothing else is touched; a folder that
// cannot be read is passed over.
void RemoveStaleTemporaries(const std::vector<std::string>& files);

}  // namespace qm
