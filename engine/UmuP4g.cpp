// SPDX-License-Identifier: MIT
#include "engine/UmuP4g.h"

namespace qm {

TPoint TP4g::TileSize(int a, int /*b: the motif is square*/) const
{
    return {2 * a, 2 * a};
}

TPoint TP4g::MotifPixel(int i, int j, int a, int /*b: the motif is square*/) const
{
    const TPoint p = QuarterTurnBack(i, j, a);
    return p.X + p.Y >= a - 1 ? p : TPoint{a - 1 - p.Y, a - 1 - p.X};
}

}  // namespace qm
