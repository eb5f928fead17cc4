#pragma once

#include <string>

namespace qm {

// Replaces the file at path by bytes: a new file is written beside it and
// renamed over it. When no new file can be created there (a folder that
// takes no new files), the existing file is opened, overwritten from its
// start and cut to the new length; when it cannot be opened either, the
// creation error stands. Throws ErrorMessage
// ファイル "<path>". <system error> を作成できません.
void WritePageFile(const std::string& path, const std::string& bytes);

}  // namespace qm
