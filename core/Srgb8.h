// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace qm {

// An 8-bit sRGB colour.
struct Srgb8 {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;

    bool operator==(const Srgb8&) const = default;
};

}  // namespace qm
