// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "core/Image.h"
#include "effects/ColourCache.h"
#include "effects/OkLab.h"

namespace qm {

// Recolours a tile as a gradient map onto a palette: the palette's colours,
// ordered by OKLab lightness (colours of equal lightness in the palette's
// order), stand at equal steps from the tile's darkest pixel (OKLab L) to
// its lightest, and every pixel takes the colour at its lightness,
// interpolated in OKLab between the two colours around it (SrgbInGamut
// where the mix leaves sRGB). The darkest pixels become the darkest
// palette colour, the lightest the lightest; a tile of one lightness
// takes the colour halfway. One object serves every tile of a run and
// remembers the lightness of the colours it has met, so it is not for two
// threads at once.
class PaletteMap {
public:
    // At least two colours; fewer throw std::invalid_argument.
    explicit PaletteMap(const std::vector<Srgb8>& palette);

    Image Apply(const Image& tile);

private:
    std::vector<OkLab> stops_;
    ColourCache<double> lightnesses_;
};

}  // namespace qm
