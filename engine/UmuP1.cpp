// SPDX-License-Identifier: MIT
#include "engine/UmuP1.h"

namespace qm {

TPoint TP1::TileSize(int a, int b) const
{
    return {a, b};
}

TPoint TP1::MotifPixel(int i, int j, int /*a*/, int /*b*/) const
{
    return {i, j};
}

}  // namespace qm
