// SPDX-License-Identifier: MIT
#include "plugin/HostGroups.h"

#include <signal.h>
#include <sys/wait.h>
#include <time.h>

#include <atomic>
#include <cerrno>

namespace qm {
namespace {

// More hosts than the threads that could start one at a time.
constexpr int kEntries = 16;
constexpr pid_t kFree = 0;
constexpr pid_t kStarting = -1;

static_assert(std::atomic<pid_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "a signal handler reads the table");

std::atomic<pid_t> groups[kEntries];
std::atomic<bool> ending{false};

}  // namespace

int ReserveHostGroup()
{
    if (ending.load()) {
        return -1;
    }
    for (int entry = 0; entry < kEntries; ++entry) {
        pid_t expected = kFree;
        if (groups[entry].compare_exchange_strong(expected, kStarting)) {
            return entry;
        }
    }
    return -1;
}

bool SetHostGroup(int entry, pid_t pid)
{
    groups[entry].store(pid > 0 ? pid : kFree);
    return !ending.load();
}

void ReleaseHostGroup(int entry)
{
    groups[entry].store(kFree);
}

void KillHostGroups(bool reap)
{
    ending.store(true);
    for (std::atomic<pid_t>& group : groups) {
        pid_t pid = group.load();
        // The thread starting this host has the stop signals blocked, so it
        // is not the one running here and fills the entry in a moment.
        while (pid == kStarting) {
            const timespec pause{0, 1000000};
            nanosleep(&pause, nullptr);
            pid = group.load();
        }
        if (pid == kFree) {
            continue;
        }
        kill(-pid, SIGKILL);
        while (reap && waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

}  // namespace qm
