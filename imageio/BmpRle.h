// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

#include "core/Image.h"
#include "imageio/BmpHeader.h"

namespace qm {

// Decodes the run-length encoded pixel data (RLE8, RLE4 or OS/2 RLE24) of a
// file into image, which must be header.Width by header.Height and black.
// Pixels the stream leaves out stay black; runs past the right edge or the
// last row are cut off; a stream that ends early ends the picture there.
void DecodeBmpRle(std::span<const std::uint8_t> file, const BmpHeader& header, Image& image);

}  // namespace qm
