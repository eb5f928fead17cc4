// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "app/Platform.h"

namespace qm {

// Runs one user action the way every front end does: a silent stop ends it
// without a word (its message was shown already); any other failure shows
// its text in the application's error box. Never throws.
void RunUserAction(Platform& platform, const std::function<void()>& action);

}  // namespace qm
