// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// p4m: the motif's triangle above its diagonal from top left to bottom
// right, mirrored in that diagonal, then mirrored as pmm mirrors, a tile of
// 2S by 2S; mirrors on the motif's edges and diagonals through the corners,
// quarter turns where they meet at 45 degrees.
class TP4m : public TExactGroupMaker {
public:
    TP4m() : TExactGroupMaker(Motif::Square) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
