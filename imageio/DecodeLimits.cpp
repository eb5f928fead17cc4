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

}  // namespace qm
