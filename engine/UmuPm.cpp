// SPDX-License-Identifier: MIT
#include "engine/UmuPm.h"

namespace qm {

TPoint TPm::TileSize(int a, int b) const
{
    return {2 * a, b};
}

TPoint TPm::MotifPixel(int i, int j, int a, int /*b*/) const
{
    return {i < a ? i : 2 * a - 1 - i, j};
}

}  // namespace qm
