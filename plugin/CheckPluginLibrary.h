// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <string>

#include "core/MessageBoxes.h"
#include "plugin/PluginHost.h"

namespace qm {

// The check of the plug-in library the user chose, run before a run with
// the plug-in method starts: the file must be a regular file that loads and
// its identification "QuillmoreDLL" must answer 1. The plug-in host makes
// the calls, within the time left of the budget open on this thread (of
// timeLimit when none is open); a host that fails gives code 19. The
// other exports are checked when the run prepares its maker. On failure
// shows the error report and throws SilentStop.
void CheckPluginLibrary(MessageBoxes& boxes, const std::string& fileName,
                        std::chrono::seconds timeLimit = kPluginTimeLimit);

}  // namespace qm
