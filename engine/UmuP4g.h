// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// p4g: the motif's triangle below its diagonal from bottom left to top
// right, mirrored in that diagonal, then turned as p4 turns it, a tile of
// 2S by 2S; quarter turns about the motif's corners, which lie on no
// mirror, and mirrors along the diagonals through the middles of its
// edges.
class TP4g : public TExactGroupMaker {
public:
    TP4g() : TExactGroupMaker(Motif::Square) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
