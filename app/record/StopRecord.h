// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The run record that a stop by signal leaves behind. A signal handler can
// neither build JSON nor allocate, so the run keeps the finished bytes of
// the record as it would read if the run stopped now, and the handler only
// writes them with open(2), write(2) and rename(2), through a temporary
// file of a name chosen beforehand that no one can foresee.
//
// There are two slots: the run fills the one the handler would not read,
// then publishes it. A handler first claims the record and only then looks
// which slot is published, and the run touches no slot once the record is
// claimed, so the bytes a handler writes are never changed under it.

// Fills the free slot with bytes, the record to write to path if the
// program stops once it is published. Called by the run's thread only; does
// nothing once a handler has claimed the record.
void PrepareStopRecord(const std::string& path, const std::string& bytes);

// Publishes the slot prepared last, if any. Neither allocates nor blocks:
// for the very step that puts a tile in place.
void PublishPreparedStopRecord() noexcept;

// PrepareStopRecord, then PublishPreparedStopRecord.
void PublishStopRecord(const std::string& path, const std::string& bytes);

// Ends the run's record: a stop no longer writes one. When a handler on
// another thread has already claimed it, waits for that handler to end the
// program.
void WithdrawStopRecord();

// Writes the published record, if any, through its temporary file beside
// it, created exclusively (a file or link planted at that name makes it
// fail, untouched) with the mode 0666 less the umask. Async-signal-safe: for
// a handler that ends the program.
void WriteStopRecordForExit();

}  // namespace qm
