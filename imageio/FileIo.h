// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Errors.h"

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

// The failure of a writer that could not even create its temporary file
// beside path (the folder takes no new files, the name is too long, ...).
class TemporaryNotCreated : public ErrorMessage {
public:
    using ErrorMessage::ErrorMessage;
};

// Writes bytes to a temporary file in the folder of path and renames it over
// path once it is complete, so a failure leaves no partial file behind and
// an older file of that name intact. The temporary file is a new file of a
// name no other writer can foresee (<path>.tmp-<process id>-<random
// number>), and the rename replaces whatever path is, so a symbolic link
// planted at either name is never written through. Throws ErrorMessage
// ファイル "<path>". <system error> を作成できません on failure
// (TemporaryNotCreated when no temporary file could be created). While the
// temporary file exists, a stop by signal removes it (TemporaryFiles.h).
// The same as CommitTemporaryFile(WriteTemporaryFile(path, bytes), path).
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// The first half of WriteFileAtomically: writes bytes completely to a new
// temporary file in the folder of path and returns the temporary file's
// name; path itself is not touched. On failure no temporary file stays and
// the ErrorMessage names path, as WriteFileAtomically's would.
std::string WriteTemporaryFile(const std::string& path, std::span<const std::uint8_t> bytes);

// The second half: renames the temporary file over path. On failure the
// temporary file is removed and the ErrorMessage names path. placed runs in
// the step of the rename, before a stop by signal can see the file in place
// (RenameRecordedTemporary); it must not throw or block.
void CommitTemporaryFile(const std::string& temporary, const std::string& path,
                         const std::function<void()>& placed = {});

// Removes a temporary file that is not to be committed.
void DiscardTemporaryFile(const std::string& temporary);

// A new name beside path that no other writer can foresee:
// <path>.tmp-<process id>-<random number>. Nothing is created.
std::string TemporaryNameFor(const std::string& path);

// The process id in name when name is one of the temporary names that a
// writer of some process gives the files it writes for path:
// <path>.tmp-<process id>-<number>.
std::optional<long> ProcessOfTemporaryName(std::string_view name, std::string_view path);

}  // namespace qm
