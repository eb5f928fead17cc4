// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

#include "imageio/DecodeOptions.h"
#include "imageio/DecodedSource.h"

namespace qm {

// True when file starts with a TIFF header (classic or BigTIFF).
bool IsTiff(std::span<const std::uint8_t> file);

// Decodes the first picture of a whole TIFF file held in memory with
// libtiff: 1, 2, 4, 8 and 16 bits per sample; grey (either polarity), RGB,
// palette, CMYK and JPEG-coded YCbCr; samples together or in planes; strips
// or tiles; no compression, LZW, Deflate, PackBits or JPEG. Samples of b
// bits become 8 by rounding v * 255 / (2^b - 1); an alpha sample
// (associated or not) lays RGB and grey pixels on options' background
// (white without one) and CMYK pixels on white paper. Notes the
// orientation tag with options.AutoOrient and, unless options.Colour is
// Raw, the ICC profile (a CMYK picture that has one keeps its samples for
// the colour stage). Throws ErrorMessage("TIFF エラー: <reason>") for
// anything it cannot read, a picture beyond the limits and one whose
// coded data is too short to hold it (checked before the picture is
// allocated).
DecodedSource DecodeTiffSource(std::span<const std::uint8_t> file, const DecodeOptions& options);

}  // namespace qm
