// SPDX-License-Identifier: MIT
#include "app/record/StopRecord.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "imageio/FileIo.h"

namespace qm {
namespace {

struct Slot {
    std::string Path;
    // A new temporary name beside Path, drawn when the slot is filled, as
    // a handler cannot draw random numbers.
    std::string Temporary;
    std::string Bytes;
};

constexpr int kNone = -1;

Slot slots[2];
std::atomic<int> published{kNone};
// The slot filled and not yet published; the run's thread only.
int prepared = kNone;
std::atomic<bool> claimed{false};

static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

void PrepareStopRecord(const std::string& path, const std::string& bytes)
{
    if (claimed.load()) {
        return;
    }
    const int free = published.load() == 0 ? 1 : 0;
    prepared = kNone;
    Slot& slot = slots[free];
    slot.Path = path;
    slot.Temporary = TemporaryNameFor(path);
    slot.Bytes = bytes;
    prepared = free;
}

void PublishPreparedStopRecord() noexcept
{
    if (prepared != kNone) {
        published.store(prepared);
        prepared = kNone;
    }
}

void PublishStopRecord(const std::string& path, const std::string& bytes)
{
    PrepareStopRecord(path, bytes);
    PublishPreparedStopRecord();
}

void WithdrawStopRecord()
{
    if (claimed.exchange(true)) {
        for (;;) {
            ::pause();
        }
    }
    published.store(kNone);
    prepared = kNone;
    for (Slot& slot : slots) {
        slot = Slot{};
    }
    claimed.store(false);
}

void WriteStopRecordForExit()
{
    if (claimed.exchange(true)) {
        return;
    }
    const int index = published.load();
    if (index == kNone) {
        return;
    }
    const Slot& slot = slots[index];
    const int fd =
        ::open(slot.Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return;
    }
    const bool written = WriteAll(fd, slot.Bytes.data(), slot.Bytes.size());
    if (::close(fd) == 0 && written && std::rename(slot.Temporary.c_str(), slot.Path.c_str()) == 0) {
        return;
    }
    ::unlink(slot.Temporary.c_str());
}

}  // namespace qm
