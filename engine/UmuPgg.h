// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// pgg: the motif of SX by SY, to its right its level mirror image, below it
// its upright mirror image and diagonally its half turn, a tile of 2SX by
// 2SY; half turns about the motif's corners and glide reflections both
// ways, no mirror.
class TPgg : public TExactGroupMaker {
public:
    TPgg() : TExactGroupMaker(Motif::WholeCut) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
