// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

namespace qm {

// What a written tile says about its colours; nothing by default, which
// keeps every writer's files as they were.
struct ColourTag {
    // PNG files get an sRGB chunk, JPEG and TIFF files lcms2's sRGB profile.
    bool Srgb = false;
    // An ICC profile to embed instead (PNG iCCP, JPEG APP2, TIFF
    // ICCProfile); empty for none.
    std::vector<std::uint8_t> Profile;
};

}  // namespace qm
