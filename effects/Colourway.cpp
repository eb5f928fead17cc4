// SPDX-License-Identifier: MIT
#include "effects/Colourway.h"

#include <cmath>

namespace qm {

Colourway::Colourway(int k, int n) : turn_(2.0 * std::acos(-1.0) * (k - 1) / n) {}

Image Colourway::Apply(const Image& tile)
{
    if (turn_ == 0.0) {
        return tile;
    }
    const auto turned = [this](const std::uint8_t* bgr) {
        OkLch colour = LchFromLab(OkLabOf({bgr[2], bgr[1], bgr[0]}));
        colour.H += turn_;
        return SrgbInGamut(LabFromLch(colour));
    };
    Image result = Image::Unfilled(tile.Width(), tile.Height());
    for (int y = 0; y < tile.Height(); ++y) {
        const std::uint8_t* in = tile.Row(y);
        std::uint8_t* out = result.Row(y);
        for (int x = 0; x < tile.Width(); ++x, in += 3, out += 3) {
            const Srgb8& colour = cache_.Get(in, turned);
            out[0] = colour.B;
            out[1] = colour.G;
            out[2] = colour.R;
        }
    }
    return result;
}

}  // namespace qm
