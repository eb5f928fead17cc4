// SPDX-License-Identifier: MIT
#pragma once

#include "engine/UMakeUnit.h"

namespace qm {

// "花柄": the wedge of angle pi/8 that opens upwards from the bottom left
// corner of the square piece, folded by mirror images into a quarter
// circle (across the line at pi/8, then across the diagonal) and that
// square of side R mirrored to the right and downwards into a tile of side
// 2R - 2. The cut is square; only X is read.
class TSharp : public TMakeUnit {
public:
    std::optional<TPoint> TileSizeFor(TPoint size) const override;
    TileAnchor Anchor() const override;

protected:
    void BuildMap() override;
    void BuildResult() override;
};

}  // namespace qm
