// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// cmm: the motif's triangle above its diagonal from bottom left to top
// right, with its half turn about the motif's centre below the diagonal,
// mirrored as pmm mirrors, a tile of 2SX by 2SY on a centred lattice;
// mirrors on the motif's edges, half turns where they cross and at the
// motif's centre, which lies on no mirror.
class TCmm : public TExactGroupMaker {
public:
    TCmm() : TExactGroupMaker(Motif::WholeCut) {}
    // The diagonal of a motif wider than high runs across its pixels, in
    // steps that a finer motif draws finer.
    bool ScalesWithCut() const override { return false; }

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
