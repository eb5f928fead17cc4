// SPDX-License-Identifier: MIT
#pragma once

#include "engine/HexGroupMaker.h"

namespace qm {

// p31m: third turns and mirrors along the lattice edges, which miss the
// centres of the lattice triangles. The region is the kite between a
// lattice point, two edge middles and a triangle centre, its box 1/2 by
// sqrt(3)/4 lattice edges; W is 2S, and the tile has level mirrors.
class TP31m : public THexGroupMaker {
public:
    TP31m();
};

}  // namespace qm
