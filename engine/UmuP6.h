// SPDX-License-Identifier: MIT
#pragma once

#include "engine/HexGroupMaker.h"

namespace qm {

// p6: sixth turns about the lattice points, third turns about the triangle
// centres, half turns about the edge middles, no mirror. The region is the
// equilateral triangle between a lattice point and two triangle centres,
// its box 1/2 by 1/sqrt(3) lattice edges; W is S sqrt(3) rounded to even.
// The motif's edges meet their own turned copies.
class TP6 : public THexGroupMaker {
public:
    TP6();
};

}  // namespace qm
