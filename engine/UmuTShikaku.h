// SPDX-License-Identifier: MIT
#pragma once

#include "engine/UMakeUnit.h"

namespace qm {

// "テーブルクロス風": the square piece made symmetric about its diagonal from
// the top left to the bottom right corner, then mirrored to the right and
// downwards into a tile of side 2X - 2. The cut is square; only X is read.
class TTShikaku : public TMakeUnit {
public:
    std::optional<TPoint> TileSizeFor(TPoint size) const override;
    TileAnchor Anchor() const override;

protected:
    void BuildMap() override;
    void BuildResult() override;
};

}  // namespace qm
