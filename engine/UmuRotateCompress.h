// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "engine/UMakeUnit.h"

namespace qm {

// "歪四角": every pixel of a square of side S = M / sqrt 2 (M the smaller cut
// side) at angle theta and distance d from its centre takes the piece pixel
// at angle k * theta and distance d from the piece's centre, so the square
// repeats k times around its centre; it is then mirrored to the right and
// downwards into a tile of side 2S - 2.
class TRotateCompress : public TMakeUnit {
public:
    std::optional<TPoint> TileSizeFor(TPoint size) const override;
    TileAnchor Anchor() const override;

    // The rotate number k (2 to 20 from the settings dialog); set before
    // Prepare, which builds the warp from it.
    std::int32_t RotateNum = 0;

protected:
    void BuildMap() override;
    void BuildResult() override;
};

}  // namespace qm
