// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

namespace qm {

// The orientation tag (1 to 8) of the Exif block of a whole JPEG file (the
// first APP1 segment holding one, whatever segments come before it) or of
// the eXIf chunk of a whole PNG file held in memory; 1 (as stored) for a
// file without one, and for a block or tag that is damaged or out of range.
int ExifOrientation(std::span<const std::uint8_t> file);

// The same for an Exif block on its own, with or without its "Exif"
// header (a WebP file's EXIF chunk).
int ExifBlockOrientation(std::span<const std::uint8_t> block);

}  // namespace qm
