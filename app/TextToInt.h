// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qm {

// Strict conversion of a field's text to a 32-bit integer: an optional sign
// followed by decimal digits, nothing else (no blanks, no hexadecimal).
// Nothing when the text is not such a number or does not fit.
std::optional<std::int32_t> TextToInt(const std::string& text);

// The message shown when a field's text is not an integer:
// "'<text>' は整数ではありません".
std::string NotAnIntegerMessage(const std::string& text);

}  // namespace qm
