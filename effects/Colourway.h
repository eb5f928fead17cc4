// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"
#include "effects/ColourCache.h"
#include "effects/OkLab.h"

namespace qm {

// Variant k of n colourways of a tile: every pixel's OKLCH hue turned by
// 360 (k - 1) / n degrees, its lightness and chroma kept; a colour that the
// turn takes outside sRGB loses chroma, not lightness (SrgbInGamut).
// Variant 1 is the tile itself. One object serves every tile of a run and
// remembers the colours it has converted, so it is not for two threads at
// once.
class Colourway {
public:
    // 1 <= k <= n.
    Colourway(int k, int n);

    Image Apply(const Image& tile);

private:
    // Radians.
    double turn_ = 0.0;
    ColourCache<Srgb8> cache_;
};

}  // namespace qm
