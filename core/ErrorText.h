// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The system's text of an errno value, as strerror gives it, but safe to
// call from several threads at once.
std::string SystemErrorText(int error);

}  // namespace qm
