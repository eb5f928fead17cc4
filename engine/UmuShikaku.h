// SPDX-License-Identifier: MIT
#pragma once

#include "engine/UMakeUnit.h"

namespace qm {

// "長方形": the piece in the top-left quarter, mirrored to the right and the
// whole mirrored downwards. Works for any width and height; the method
// catalogue gives it the free-width size rules.
class TShikaku : public TMakeUnit {
public:
    std::optional<TPoint> TileSizeFor(TPoint size) const override;
    TileAnchor Anchor() const override;

protected:
    void BuildMap() override;
    void BuildResult() override;
};

}  // namespace qm
