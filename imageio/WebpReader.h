// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

#include "imageio/DecodeOptions.h"
#include "imageio/DecodedSource.h"

namespace qm {

// True when file starts as a WebP file (a RIFF container of type WEBP).
bool IsWebp(std::span<const std::uint8_t> file);

// Decodes a whole WebP file held in memory with libwebp: lossy, lossless,
// and of an animation its first frame on the canvas. Pixels with alpha
// are laid on options' background (white without one). Notes the EXIF
// chunk's orientation with options.AutoOrient and, unless options.Colour
// is Raw, the ICCP chunk's profile. Throws ErrorMessage("WebP エラー:
// <reason>") for anything it cannot read, a picture beyond the limits and
// one whose file is too short to hold it (checked before the picture is
// allocated).
DecodedSource DecodeWebpSource(std::span<const std::uint8_t> file, const DecodeOptions& options);

}  // namespace qm
