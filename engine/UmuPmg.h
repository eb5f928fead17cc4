// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// pmg: the motif of SX by SY above its own half turn, the pair mirrored to
// the right, a tile of 2SX by 2SY; upright mirrors on the motif's left and
// right edges, half turns about the middles of its top and bottom edges,
// level glide reflections through them.
class TPmg : public TExactGroupMaker {
public:
    TPmg() : TExactGroupMaker(Motif::WholeCut) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
