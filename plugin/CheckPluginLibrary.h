#pragma once

#include <string>

#include "core/MessageBoxes.h"

namespace qm {

// The check of the plug-in library the user chose, run before a run with
// the plug-in method starts: the file must load and its identification
// "QuillmoreDLL" must answer 1. The other exports are checked when the run
// prepares its maker. On failure shows the error report and throws
// SilentStop; the library is released on every way out.
void CheckPluginLibrary(MessageBoxes& boxes, const std::string& fileName);

}  // namespace qm
