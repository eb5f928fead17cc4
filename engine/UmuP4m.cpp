// SPDX-License-Identifier: MIT
#include "engine/UmuP4m.h"

namespace qm {

TPoint TP4m::TileSize(int a, int /*b: the motif is square*/) const
{
    return {2 * a, 2 * a};
}

TPoint TP4m::MotifPixel(int i, int j, int a, int /*b: the motif is square*/) const
{
    const int u = Fold(i, a);
    const int v = Fold(j, a);
    return v <= u ? TPoint{u, v} : TPoint{v, u};
}

}  // namespace qm
