// SPDX-License-Identifier: MIT
#pragma once

#include <lcms2.h>

#include <cstdint>
#include <span>
#include <string>

namespace qm::colour {

// The profile's description tag in UTF-8 (English where it has several),
// at most 200 characters; empty when it has none.
std::string DescriptionOf(cmsHPROFILE profile);

// The SHA-256 of bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace qm::colour
