// SPDX-License-Identifier: MIT
#include "imageio/DecodeLimits.h"

#include <algorithm>

namespace qm {

bool DecodeLimits::Allows(std::int64_t width, std::int64_t height) const
{
    const std::int64_t side = std::min<std::int64_t>(MaxSide, Image::kMaxSide);
    const std::int64_t pixels = std::min(MaxPixels, Image::kMaxPixels);
    return width > 0 && height > 0 && width <= side && height <= side &&
           width * height <= pixels;
}

bool DecodeLimits::DataCouldHold(std::int64_t pixels, std::uint64_t bytes,
                                 std::int64_t pixelsPerByte) const
{
    return pixels <= FreePixels ||
           static_cast<std::uint64_t>(pixels) / static_cast<std::uint64_t>(pixelsPerByte) <= bytes;
}

}  // namespace qm
