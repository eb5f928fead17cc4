// SPDX-License-Identifier: MIT
#include "engine/UmuPmm.h"

namespace qm {

TPoint TPmm::TileSize(int a, int b) const
{
    return {2 * a, 2 * b};
}

TPoint TPmm::MotifPixel(int i, int j, int a, int b) const
{
    return {Fold(i, a), Fold(j, b)};
}

}  // namespace qm
