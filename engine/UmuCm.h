// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// cm: the motif of SX by SY with its mirror image to the right, and below
// them the same pair mirrored and moved on by SX, a tile of 2SX by 2SY on
// a centred lattice; upright mirrors on the motif's left and right edges,
// glide reflections midway between them.
class TCm : public TExactGroupMaker {
public:
    TCm() : TExactGroupMaker(Motif::WholeCut) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
