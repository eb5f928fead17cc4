// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

#include "cli/CliOptions.h"

namespace qm {

// Exit codes of quillmore-cli.
inline constexpr int kExitMade = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
// A batch made some of its pictures, not all.
inline constexpr int kExitSomeFailed = 3;

// The whole command line program: reads the options, sets the main
// window's controls from them as a user would, presses the make button and
// tells how the action ended: kExitMade after "作成しました。",
// kExitRefused when it ended with a message, kExitUsage when the options
// cannot be understood or name a control the window has disabled.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// How one make action of parsed options ended: the exit code as above, the
// number of tiles it made (0 unless it made them all; with skipped, the
// tiles found made already) and, when it was not made, the last error it
// showed.
struct SessionResult {
    int exitCode = kExitRefused;
    int tilesMade = 0;
    bool skipped = false;
    std::string error;
};

// One main window driven by options, with the random seed as it is set.
SessionResult RunSession(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qm
