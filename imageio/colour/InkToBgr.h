// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qm::colour {

// The plain conversion of count CMYK pixels (4 bytes each, 0 no ink unless
// inverted, as Adobe applications store them with 255 no ink) to blue,
// green, red: each channel (255 - ink) * (255 - black) / 255, truncated.
// For pictures without a CMYK profile.
void InkToBgr(const std::uint8_t* ink, std::uint8_t* bgr, std::int64_t count, bool inverted);

}  // namespace qm::colour
