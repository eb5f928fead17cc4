// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"

namespace qm {

// An uncompressed 24-bit BMP file: 14-byte file header, 40-byte information
// header (positive height, bottom-up rows, no colour table, resolution 0 or,
// with dpi above 0, PixelsPerMetre(dpi)), pixel data at offset 54, each row
// padded with zeros to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Image& image, int dpi = 0);

}  // namespace qm
