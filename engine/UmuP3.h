// SPDX-License-Identifier: MIT
#pragma once

#include "engine/HexGroupMaker.h"

namespace qm {

// p3: third turns alone. The region is a third of a cell: the triangle T
// with its mirror images in the lines at 30 and 60 degrees and its sixth
// turn, a pentagon whose box is 3/4 by 1/sqrt(3) lattice edges; W is 4S/3
// rounded to even. The motif's edges meet their own turned copies.
class TP3 : public THexGroupMaker {
public:
    TP3();
};

}  // namespace qm
