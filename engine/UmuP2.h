// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// p2: the motif and, to its right, the motif turned by half a turn, a tile
// of 2S by S; half turns about the middles of the motif's edges and
// corners. The motif's edges meet their own turned copies.
class TP2 : public TExactGroupMaker {
public:
    TP2() : TExactGroupMaker(Motif::Square) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
