// SPDX-License-Identifier: MIT
#pragma once

#include "engine/UMakeUnit.h"

namespace qm {

// "万華鏡風": the equilateral triangle standing on the bottom edge of the
// piece, laid out as a kaleidoscope band of mirrored triangles, and the band
// mirrored once more about the line of the triangle bases.
class TSankaku : public TMakeUnit {
public:
    std::optional<TPoint> TileSizeFor(TPoint size) const override;
    TileAnchor Anchor() const override;

protected:
    void BuildMap() override;
    void BuildResult() override;
};

}  // namespace qm
