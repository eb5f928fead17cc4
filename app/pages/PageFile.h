// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// Replaces the file at path by bytes: a new file is written beside it and
// renamed over it, so a write that fails leaves the old file as it was.
// Only when no new file can be created there at all (a folder that takes no
// new files) is the existing file overwritten from its start and cut to the
// new length, and only when it is a regular file, not a symbolic link; should that write fail, the old bytes are put back. When the
// existing file cannot be opened either, the creation error stands. Throws
// ErrorMessage ファイル "<path>". <system error> を作成できません.
void WritePageFile(const std::string& path, const std::string& bytes);

}  // namespace qm
