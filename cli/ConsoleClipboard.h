// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "core/Image.h"

namespace qm {

// The picture on the desktop's clipboard, read through the desktop's own
// clipboard tool: wl-paste under Wayland, xclip under X11, each asked for
// a PNG picture. Nothing when there is no display, no such tool, or no
// picture on the clipboard.
std::optional<Image> ReadDesktopClipboardImage();

}  // namespace qm
