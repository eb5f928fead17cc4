// SPDX-License-Identifier: MIT
#include "engine/UmuPgg.h"

namespace qm {

TPoint TPgg::TileSize(int a, int b) const
{
    return {2 * a, 2 * b};
}

TPoint TPgg::MotifPixel(int i, int j, int a, int b) const
{
    if (j < b) {
        return i < a ? TPoint{i, j} : TPoint{i - a, b - 1 - j};
    }
    return i < a ? TPoint{a - 1 - i, j - b} : TPoint{2 * a - 1 - i, 2 * b - 1 - j};
}

}  // namespace qm
