// SPDX-License-Identifier: MIT
#include "engine/UmuCmm.h"

#include <cstdint>

namespace qm {

TPoint TCmm::TileSize(int a, int b) const
{
    return {2 * a, 2 * b};
}

TPoint TCmm::MotifPixel(int i, int j, int a, int b) const
{
    const int u = Fold(i, a);
    const int v = Fold(j, b);
    // Above the diagonal, or on it and left of the centre (which is itself).
    const std::int64_t side =
        std::int64_t{2 * u + 1} * b + std::int64_t{2 * v + 1} * a - std::int64_t{2} * a * b;
    if (side < 0 || (side == 0 && 2 * u + 1 <= a)) {
        return {u, v};
    }
    return {a - 1 - u, b - 1 - v};
}

}  // namespace qm
