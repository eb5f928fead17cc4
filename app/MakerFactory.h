#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/UMakeUnit.h"

namespace qm {

// The pattern maker of a method code, with the one setting the run gives it
// before Prepare: the library path of the plug-in maker (code 9) or the
// rotate number of the distorted square (code 10). Null for a code without
// a class (0, 8, 11 and above).
std::unique_ptr<TMakeUnit> CreateMaker(std::uint8_t code, const std::string& dllName,
                                       std::int32_t rotateNum);

}  // namespace qm
