// SPDX-License-Identifier: MIT
#include "app/window/TopLevelHandler.h"

#include <exception>

#include "core/Errors.h"

namespace qm {

void RunUserAction(Platform& platform, const std::function<void()>& action)
{
    try {
        action();
    } catch (const SilentStop&) {
        // The message has been shown already.
    } catch (const std::exception& error) {
        platform.ShowApplicationError(error.what());
    }
}

}  // namespace qm
