// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The two message boxes of the program. The desktop shows real boxes with
// the system sounds; the command line prints; tests record the calls.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Error sound, then a modal box titled "エラー" with the error icon.
    virtual void ShowErrorBox(const std::string& text) = 0;
    // Default sound, then a modal box titled "情報" with the information icon.
    virtual void ShowInfoBox(const std::string& text) = 0;
};

}  // namespace qm
