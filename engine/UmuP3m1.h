// SPDX-License-Identifier: MIT
#pragma once

#include "engine/HexGroupMaker.h"

namespace qm {

// p3m1: third turns and mirrors through every centre of a third turn. The
// region is the equilateral triangle between three such centres, bounded
// by mirrors, its box 1/2 by 1/sqrt(3) lattice edges; W is S sqrt(3)
// rounded to even, and the tile has upright mirrors.
class TP3m1 : public THexGroupMaker {
public:
    TP3m1();
};

}  // namespace qm
