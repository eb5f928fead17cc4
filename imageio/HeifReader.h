// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

#include "imageio/DecodeOptions.h"
#include "imageio/DecodedSource.h"

namespace qm {

// True when file starts as a HEIF or AVIF file that libheif reads.
bool IsHeif(std::span<const std::uint8_t> file);

// Decodes the primary image of a whole HEIF or AVIF file held in memory
// with libheif, with its cropping, rotation and mirroring applied by
// libheif once (all of them left out without options.AutoOrient; an Exif
// orientation inside the file is not used). Samples of b bits become 8 by
// rounding v * 255 / (2^b - 1); alpha is laid on options' background
// (white without one). Unless options.Colour is Raw the ICC profile is
// kept, or without one the nclx code points. Throws ErrorMessage("HEIF
// エラー: <libheif's reason>") for anything it cannot read, a picture beyond
// the limits and one whose file is too short to hold it (checked before
// the picture is decoded).
DecodedSource DecodeHeifSource(std::span<const std::uint8_t> file, const DecodeOptions& options);

}  // namespace qm
