// SPDX-License-Identifier: MIT
#pragma once

#include "engine/HexGroupMaker.h"

namespace qm {

// p6m: the full group of the hexagonal lattice, mirrors in six directions.
// The region is the triangle T itself, bounded by mirrors, its box 1/2 by
// 1/(2 sqrt(3)) lattice edges; W is 2S.
class TP6m : public THexGroupMaker {
public:
    TP6m();
};

}  // namespace qm
