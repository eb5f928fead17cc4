// SPDX-License-Identifier: MIT
#include "engine/UmuCm.h"

namespace qm {

TPoint TCm::TileSize(int a, int b) const
{
    return {2 * a, 2 * b};
}

TPoint TCm::MotifPixel(int i, int j, int a, int b) const
{
    if (j < b) {
        return {i < a ? i : 2 * a - 1 - i, j};
    }
    return {i < a ? a - 1 - i : i - a, j - b};
}

}  // namespace qm
