// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qm {

// The most dots per inch a tile's file records.
inline constexpr int kMaxDpi = 10000;

// Dots per inch as the whole pixels per metre that PNG and BMP record:
// round(dpi * 10000 / 254).
constexpr std::uint32_t PixelsPerMetre(int dpi)
{
    return (static_cast<std::uint32_t>(dpi) * 10000u + 127u) / 254u;
}

}  // namespace qm
