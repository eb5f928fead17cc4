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

    // True for a non-empty picture within these limits and Image's own.
    bool Allows(std::int64_t width, std::int64_t height) const;
};

}  // namespace qm
