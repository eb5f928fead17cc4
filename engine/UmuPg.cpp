// SPDX-License-Identifier: MIT
#include "engine/UmuPg.h"

namespace qm {

TPoint TPg::TileSize(int a, int b) const
{
    return {a, 2 * b};
}

TPoint TPg::MotifPixel(int i, int j, int a, int b) const
{
    return j < b ? TPoint{i, j} : TPoint{a - 1 - i, j - b};
}

}  // namespace qm
