// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// p4: the motif and its quarter turns about its bottom-right corner, a tile
// of 2S by 2S; quarter turns about the motif's corners, half turns about
// the middles of its edges, no mirror. The motif's edges meet their own
// turned copies.
class TP4 : public TExactGroupMaker {
public:
    TP4() : TExactGroupMaker(Motif::Square) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
