// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

namespace qm {

// The process groups of the plug-in hosts now running. Every host leads a
// group of its own, so whatever its library starts stays in that group and
// can be killed with it. The groups are kept in a fixed table of atomics,
// which a signal handler may read.

// Takes an entry of the table for a host about to start: its number, or -1
// when the table is full or the program is ending. Block the signals on
// the calling thread until SetHostGroup has filled it.
int ReserveHostGroup();
// Fills the entry with the started host's group (its pid), or frees it
// when pid is not above 0. False when the program began to end meanwhile:
// the caller then kills the host's group itself.
bool SetHostGroup(int entry, pid_t pid);
// Frees the entry, once the host's group has been killed and before the
// host is reaped (until then its pid cannot name another process).
void ReleaseHostGroup(int entry);

// Lets no further host start and kills every group in the table with
// SIGKILL; with reap also waits for the end of each host. Async-signal-safe.
void KillHostGroups(bool reap);

}  // namespace qm
