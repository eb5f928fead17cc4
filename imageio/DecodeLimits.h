// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "core/Image.h"

namespace qm {

// The largest picture a decoder accepts. Decoders check a file's claimed
// size against these limits before they allocate anything for its pixels;
// the defaults are the limits of Image itself, smaller limits keep tools
// such as fuzzers quick.
struct DecodeLimits {
    int MaxSide = Image::kMaxSide;
    std::int64_t MaxPixels = Image::kMaxPixels;
    // Some data can cover a picture with next to nothing: a run-length
    // stream may skip pixels, which stay black, and arithmetic coding may
    // spend far less than a bit on a flat block. Pictures up to this many
    // pixels (48 MiB at 24 bits) are decoded from such data whatever its
    // length; larger ones must come with data that could give every pixel.
    std::int64_t FreePixels = std::int64_t{1} << 24;

    // True for a non-empty picture within these limits and Image's own.
    bool Allows(std::int64_t width, std::int64_t height) const;

    // True when bytes of data could give pixels pixels: always up to
    // FreePixels, beyond that at most pixelsPerByte for each byte.
    bool DataCouldHold(std::int64_t pixels, std::uint64_t bytes, std::int64_t pixelsPerByte) const;
};

// HEIF, AVIF and WebP code with arithmetic or entropy coders that may spend
// far less than a bit on a flat block, so that no bound holds for every
// valid file. Beyond FreePixels a picture must come with at least a byte
// of file for each this many pixels (a 64 x 64 block): a photograph holds
// hundreds of times more, and a file claiming 2^28 pixels needs 64 KiB.
inline constexpr std::int64_t kPixelsPerCodedByte = 4096;

}  // namespace qm
