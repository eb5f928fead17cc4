// SPDX-License-Identifier: MIT
#include "imageio/TemporaryFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace qm {
namespace {

// A record is free, being changed by a thread of the program, holding the
// name of an existing file, or taken over by a stopping handler.
enum RecordState : int { kFree, kBusy, kLive, kClaimed };

// More than the tiles of a run plus its page can ever hold at once.
constexpr int kRecords = 256;

struct Record {
    std::atomic<int> state{kFree};
    char name[PATH_MAX] = {};
};

static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

Record records[kRecords];
std::atomic<bool> exiting{false};
// Taken by the threads of the program, never by a handler: a name is only
// written or compared while no other thread writes one.
std::mutex recordsMutex;

// Every signal blocked on the calling thread for as long as it lives.
class SignalsBlocked {
public:
    SignalsBlocked()
    {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &saved_);
    }
    ~SignalsBlocked() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t saved_;
};

// The record of the existing file name, now busy; null when there is none
// or a handler has taken it. Called with the mutex held.
Record* TakeRecordOf(const std::string& name)
{
    for (Record& record : records) {
        int state = kLive;
        if (record.state.load() == kLive && name == record.name &&
            record.state.compare_exchange_strong(state, kBusy)) {
            return &record;
        }
    }
    return nullptr;
}

// Records name in a free record and creates the file with open(record
// name), which may change the name in place. Returns what open returns.
template <typename Open>
int CreateRecorded(std::string& name, Open open)
{
    if (name.size() >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return -1;
    }
    int fd = -1;
    int error = EMFILE;
    {
        const SignalsBlocked blocked;
        const std::lock_guard lock(recordsMutex);
        for (Record& record : records) {
            if (record.state.load() != kFree) {
                continue;
            }
            // Busy before the check: a handler that has not seen this
            // record yet waits for it, one that has is seen here.
            record.state.store(kBusy);
            if (exiting.load()) {
                record.state.store(kFree);
                error = EINTR;
                break;
            }
            std::memcpy(record.name, name.c_str(), name.size() + 1);
            fd = open(record.name);
            error = errno;
            name = record.name;
            record.state.store(fd >= 0 ? kLive : kFree);
            break;
        }
    }
    errno = error;
    return fd;
}

}  // namespace

int CreateRecordedTemporary(const std::string& name)
{
    std::string recorded = name;
    return CreateRecorded(recorded, [](const char* path) {
        return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    });
}

int CreateUniqueRecordedTemporary(std::string& pattern)
{
    return CreateRecorded(pattern, [](char* path) { return ::mkostemp(path, O_CLOEXEC); });
}

int RenameRecordedTemporary(const std::string& name, const std::string& path,
                            const std::function<void()>& renamed)
{
    const SignalsBlocked blocked;
    const std::lock_guard lock(recordsMutex);
    Record* record = TakeRecordOf(name);
    if (record == nullptr) {
        return ENOENT;
    }
    const int error = std::rename(record->name, path.c_str()) == 0 ? 0 : errno;
    if (error == 0 && renamed) {
        renamed();
    }
    record->state.store(error == 0 ? kFree : kLive);
    return error;
}

void RemoveRecordedTemporary(const std::string& name)
{
    const SignalsBlocked blocked;
    const std::lock_guard lock(recordsMutex);
    if (Record* record = TakeRecordOf(name)) {
        ::unlink(record->name);
        record->state.store(kFree);
    }
}

void RemoveRecordedTemporariesForExit()
{
    exiting.store(true);
    for (Record& record : records) {
        for (;;) {
            int state = record.state.load();
            if (state == kBusy) {
                continue;  // a thread with signals blocked finishes its step
            }
            if (state != kLive) {
                break;
            }
            if (record.state.compare_exchange_strong(state, kClaimed)) {
                ::unlink(record.name);
                break;
            }
        }
    }
}

}  // namespace qm
