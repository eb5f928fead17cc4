// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// pmm: the motif of SX by SY mirrored to the right and the pair mirrored
// downwards, a tile of 2SX by 2SY; mirrors on all four edges of the
// motif, half turns where they cross.
class TPmm : public TExactGroupMaker {
public:
    TPmm() : TExactGroupMaker(Motif::WholeCut) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
