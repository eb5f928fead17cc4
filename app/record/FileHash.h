// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>

namespace qm {

// The SHA-256 of bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::span<const unsigned char> bytes);

// The SHA-256 of the whole content of the file; nothing when it cannot be
// read.
std::optional<std::string> Sha256OfFile(const std::string& path);

}  // namespace qm
