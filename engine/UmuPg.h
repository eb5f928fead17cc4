// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// pg: the motif of SX by SY and, below it, its mirror image, a tile of SX
// by 2SY; upright glide reflections by SY, no mirror. The motif's left
// edge meets its right edge, its top edge its mirrored bottom edge.
class TPg : public TExactGroupMaker {
public:
    TPg() : TExactGroupMaker(Motif::WholeCut) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
