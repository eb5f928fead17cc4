// SPDX-License-Identifier: MIT
#include "imageio/FileIo.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "core/ErrorText.h"
#include "core/Errors.h"
#include "core/FileDescriptor.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/SourceFile.h"
#include "imageio/TemporaryFiles.h"

namespace qm {
namespace {

std::string CreateErrorText(const std::string& path, int error)
{
    return Format(T("ファイル \"%s\". %s を作成できません"), {path, SystemErrorText(error)});
}

// Creates a new recorded temporary file beside path; returns its descriptor
// and name.
FileDescriptor CreateTemporary(const std::string& path, std::string& name)
{
    for (int attempt = 0;; ++attempt) {
        name = TemporaryNameFor(path);
        const int fd = CreateRecordedTemporary(name);
        if (fd >= 0) {
            return FileDescriptor(fd);
        }
        if (errno != EEXIST || attempt == 100) {
            throw TemporaryNotCreated(CreateErrorText(path, errno));
        }
    }
}

// A decimal number as the temporary names write it, without leading zeros.
bool IsDecimal(std::string_view text)
{
    return !text.empty() && text.size() <= 18 && (text == "0" || text.front() != '0') &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

// Should the system give no random bytes, a running count keeps the names
// of this process apart.
std::string TemporaryNameFor(const std::string& path)
{
    static std::atomic<std::uint32_t> counter{0};
    std::uint32_t number = counter.fetch_add(1);
    ::getrandom(&number, sizeof number, GRND_NONBLOCK);
    return Format("%s.tmp-%d-%d", {path, static_cast<long>(::getpid()), static_cast<long>(number)});
}

void ThrowCreateError(const std::string& path, int error)
{
    throw ErrorMessage(CreateErrorText(path, error));
}

std::optional<long> ProcessOfTemporaryName(std::string_view name, std::string_view path)
{
    constexpr std::string_view kMark = ".tmp-";
    if (name.size() <= path.size() + kMark.size() || !name.starts_with(path) ||
        name.substr(path.size(), kMark.size()) != kMark) {
        return std::nullopt;
    }
    const std::string_view numbers = name.substr(path.size() + kMark.size());
    const std::size_t dash = numbers.find('-');
    if (dash == std::string_view::npos || !IsDecimal(numbers.substr(0, dash)) ||
        !IsDecimal(numbers.substr(dash + 1))) {
        return std::nullopt;
    }
    return std::stol(std::string(numbers.substr(0, dash)));
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    SourceFile(path).ReadRest(bytes);
    return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes)
{
    CommitTemporaryFile(WriteTemporaryFile(path, bytes), path);
}

std::string WriteTemporaryFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::string temporary;
    FileDescriptor file = CreateTemporary(path, temporary);
    int error = WriteAll(file.Get(), bytes);
    if (error == 0 && ::fsync(file.Get()) != 0) {
        error = errno;
    }
    if (const int closed = file.Close(); error == 0) {
        error = closed;
    }
    if (error != 0) {
        RemoveRecordedTemporary(temporary);
        ThrowCreateError(path, error);
    }
    return temporary;
}

void CommitTemporaryFile(const std::string& temporary, const std::string& path,
                         const std::function<void()>& placed)
{
    if (const int error = RenameRecordedTemporary(temporary, path, placed); error != 0) {
        RemoveRecordedTemporary(temporary);
        ThrowCreateError(path, error);
    }
}

void DiscardTemporaryFile(const std::string& temporary)
{
    RemoveRecordedTemporary(temporary);
}

}  // namespace qm
