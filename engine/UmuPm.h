// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// pm: the motif of SX by SY and its mirror image to the right, a tile of
// 2SX by SY; upright mirrors on the motif's left and right edges.
class TPm : public TExactGroupMaker {
public:
    TPm() : TExactGroupMaker(Motif::WholeCut) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
