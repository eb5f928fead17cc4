// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ExactGroupMaker.h"

namespace qm {

// p1: the motif repeated by translations alone, a tile of S by S. Its
// left edge meets its right edge and its top edge its bottom edge.
class TP1 : public TExactGroupMaker {
public:
    TP1() : TExactGroupMaker(Motif::Square) {}

protected:
    TPoint TileSize(int a, int b) const override;
    TPoint MotifPixel(int i, int j, int a, int b) const override;
};

}  // namespace qm
