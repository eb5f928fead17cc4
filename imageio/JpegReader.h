// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

#include "core/Image.h"
#include "imageio/DecodeLimits.h"
#include "imageio/DecodeOptions.h"
#include "imageio/DecodedSource.h"

namespace qm {

// Greyscale pictures are quantised to at most this many grey levels.
inline constexpr int kJpegGreyLevels = 236;

// Decodes a whole JPEG file held in memory with libjpeg's default
// decompression parameters at full size. Colour (YCbCr, RGB, CMYK and YCCK)
// files give colour images; greyscale files are quantised to
// kJpegGreyLevels grey levels with libjpeg's default dithering and then
// expanded to 24 bits. Throws ErrorMessage("JPEG エラー #<n>") with
// libjpeg's message number on any failure, JERR_IMAGE_TOO_BIG for a picture
// beyond limits, JERR_INPUT_EOF (before anything is allocated for the
// pixels) for one whose scans are too short to hold a bit per block.
Image DecodeJpeg(std::span<const std::uint8_t> file, const DecodeLimits& limits = {});

// The same with options: at the scale options.MinSizeFor asks for, with
// the Exif orientation when options.AutoOrient, and, unless options.Colour
// is Raw, with the ICC profile of the APP2 segments (a CMYK
// picture that has one keeps its samples for the colour stage).
DecodedSource DecodeJpegSource(std::span<const std::uint8_t> file, const DecodeOptions& options);

}  // namespace qm
