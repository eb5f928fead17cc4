// SPDX-License-Identifier: MIT
#pragma once

namespace qm {

// Makes SIGINT, SIGTERM and SIGHUP first kill the process group of every
// plug-in host running and reap the host, then remove the temporary files
// this process is writing, and then end the program as they do by default,
// so a stopped run leaves no process behind and only the files it had put
// in place. A file-size limit (SIGXFSZ) becomes a failed write, reported
// like a full disk, instead of ending the program in the middle of a file. Call once at start-up,
// before any thread is started; the handlers call no toolkit.
void InstallCleanStop();

}  // namespace qm
