// SPDX-License-Identifier: MIT
#include "engine/UmuP2.h"

namespace qm {

TPoint TP2::TileSize(int a, int b) const
{
    return {2 * a, b};
}

TPoint TP2::MotifPixel(int i, int j, int a, int b) const
{
    return i < a ? TPoint{i, j} : TPoint{2 * a - 1 - i, b - 1 - j};
}

}  // namespace qm
