#pragma once

#include <cstdint>
#include <span>

#include "core/Image.h"
#include "imageio/DecodeLimits.h"

namespace qm {

// Decodes a whole BMP file held in memory: 1, 2, 4 and 8 bits with a colour
// table (also RLE4 and RLE8), 16 and 32 bits with default or bit-field
// masks, 24 bits (also OS/2 RLE24); Windows information headers up to V5
// and OS/2 1.x and 2.x headers; bottom-up and top-down rows. Alpha is
// dropped; a palette index beyond the colour table gives black. Throws
// ErrorMessage("ビットマップイメージが不正です") for anything it cannot read.
Image DecodeBmp(std::span<const std::uint8_t> file, const DecodeLimits& limits = {});

}  // namespace qm
