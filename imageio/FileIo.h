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

// Writes bytes to a temporary file in the folder of path and renames it over
// path once it is complete, so a failure leaves no partial file behind and
// an older file of that name intact. Throws ErrorMessage
// ファイル "<path>". <system error> を作成できません on failure.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace qm
