// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/UMakeUnit.h"

namespace qm {

// The pattern maker of a method code: the plug-in maker (code 9) with its
// library path, a built-in maker of the method catalogue with the run's
// settings, or with wallpaperGroups a group's maker (codes 11 to 27). Null
// for a code without a class (0, 8, 11 and above; 28 and above with the
// groups).
std::unique_ptr<TMakeUnit> CreateMaker(std::uint8_t code, const std::string& dllName,
                                       std::int32_t rotateNum, bool wallpaperGroups);

}  // namespace qm
