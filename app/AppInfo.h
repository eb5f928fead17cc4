// SPDX-License-Identifier: MIT
#pragma once

namespace qm {

// The application's title: the main window's title, the title of the
// top-level handler's error box and the first line of the about box.
inline constexpr const char* kApplicationTitle = "Quillmore";
// The version the about box and the command line show.
inline constexpr const char* kApplicationVersion = "1.2.0";

}  // namespace qm
