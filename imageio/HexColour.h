// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "imageio/DecodeOptions.h"

namespace qm {

// The value of a hexadecimal digit in either case; -1 for any other
// character.
int HexDigit(char c);

// The colour of a text #rrggbb, the digits in either case; nothing for any
// other text.
std::optional<Rgb> ParseHexColour(const std::string& text);

}  // namespace qm
