// SPDX-License-Identifier: MIT
#include "engine/UmuP4.h"

namespace qm {

TPoint TP4::TileSize(int a, int /*b: the motif is square*/) const
{
    return {2 * a, 2 * a};
}

TPoint TP4::MotifPixel(int i, int j, int a, int /*b: the motif is square*/) const
{
    return QuarterTurnBack(i, j, a);
}

}  // namespace qm
