#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm {

// The largest file ReadWholeFile loads; a bigger one cannot hold a picture
// within Image's limits.
inline constexpr std::int64_t kMaxImageFileBytes = std::int64_t{1} << 31;

// The whole content of the file. Throws ErrorMessage
// ファイル "<path>". <system error> は開けません when the file cannot be
// opened or read, is not a regular file, or is larger than kMaxImageFileBytes.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Throws ErrorMessage ファイル "<path>". <text of error> を作成できません.
[[noreturn]] void ThrowCreateError(const std::string& path, int error);

// Writes bytes to a temporary file in the folder of path and renames it over
// path once it is complete, so a failure leaves no partial file behind and
// an older file of that name intact. Throws ErrorMessage
// ファイル "<path>". <system error> を作成できません on failure.
// The same as CommitTemporaryFile(WriteTemporaryFile(path, bytes), path).
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The first half of WriteFileAtomically: writes bytes completely to a new
// temporary file in the folder of path and returns the temporary file's
// name; path itself is not touched. On failure no temporary file stays and
// the ErrorMessage names path, as WriteFileAtomically's would.
std::string WriteTemporaryFile(const std::string& path, std::span<const std::uint8_t> bytes);

// The second half: renames the temporary file over path. On failure the
// temporary file is removed and the ErrorMessage names path.
void CommitTemporaryFile(const std::string& temporary, const std::string& path);

// Removes a temporary file that is not to be committed.
void DiscardTemporaryFile(const std::string& temporary);

}  // namespace qm
