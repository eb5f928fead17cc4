// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>

#include "core/Image.h"
#include "imageio/DecodeLimits.h"
#include "imageio/DecodeOptions.h"
#include "imageio/DecodedSource.h"

namespace qm {

// Decodes a whole PNG file held in memory: every colour type and bit depth,
// interlaced or not. Palette and grey pictures are expanded, 16-bit samples
// keep their high byte, alpha and transparency are dropped, gamma and
// background chunks are ignored. Throws ErrorMessage("PNG エラー: <reason>")
// with libpng's reason on any failure, also for a picture beyond limits or
// one whose image data is too short to inflate to all its rows (checked
// before the picture is allocated).
Image DecodePng(std::span<const std::uint8_t> file, const DecodeLimits& limits = {});

// The same with options: with options.Background a picture with alpha or
// transparency is laid on that colour (16-bit samples keep their high byte
// first), with options.AutoOrient the eXIf orientation is noted, and unless
// options.Colour is Raw the iCCP profile is kept. gAMA, cHRM and sRGB
// chunks are never used.
DecodedSource DecodePngSource(std::span<const std::uint8_t> file, const DecodeOptions& options);

}  // namespace qm
