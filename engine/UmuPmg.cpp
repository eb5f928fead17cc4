// SPDX-License-Identifier: MIT
#include "engine/UmuPmg.h"

namespace qm {

TPoint TPmg::TileSize(int a, int b) const
{
    return {2 * a, 2 * b};
}

TPoint TPmg::MotifPixel(int i, int j, int a, int b) const
{
    const int u = Fold(i, a);
    return j < b ? TPoint{u, j} : TPoint{a - 1 - u, 2 * b - 1 - j};
}

}  // namespace qm
