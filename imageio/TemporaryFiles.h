// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

namespace qm {

// The temporary files of this process that exist and are neither renamed
// into place nor removed yet, kept in fixed buffers that a signal handler
// can read, so that a stopped program leaves none of them behind.
//
// Creating, renaming and removing a recorded file are each done with every
// signal blocked on the calling thread, so a handler never waits for its
// own thread; a handler on another thread waits for them to finish.

// Creates name exclusively for writing, with the mode 0666 less the umask,
// and records it; whatever is at name already, a symbolic link included,
// makes it fail with EEXIST and is not touched. Returns the open
// descriptor, or -1 with errno set: EMFILE when every record is taken,
// ENAMETOOLONG when name does not fit one, EINTR once the program stops.
int CreateRecordedTemporary(const std::string& name);

// The same for a file of a new name made from pattern, which ends in
// "XXXXXX", as mkstemp makes it; pattern becomes the name. The file is open
// for reading and writing.
int CreateUniqueRecordedTemporary(std::string& pattern);

// Renames the recorded file name to path and forgets it. Returns 0 or the
// errno of the failure; the file stays recorded when the rename fails.
// After a rename, renamed runs in the same step, signals still blocked, so
// a stopping handler sees either neither or both; it must not throw, block
// or touch a recorded file.
int RenameRecordedTemporary(const std::string& name, const std::string& path,
                            const std::function<void()>& renamed = {});

// Removes the recorded file name and forgets it.
void RemoveRecordedTemporary(const std::string& name);

// Removes every recorded file and lets no thread create or rename one
// afterwards. Async-signal-safe: for a handler that ends the program.
void RemoveRecordedTemporariesForExit();

}  // namespace qm
