// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The folder of the running executable with a trailing "/", or "" when the
// system does not tell.
std::string ExecutableFolder();

}  // namespace qm
