// SPDX-License-Identifier: MIT
#include "engine/UmuTShikaku.h"

namespace qm {

void TTShikaku::BuildMap()
{
    const int n = X();
    BuildIdentityIndexMap(n, n);
    // On and below the anti-diagonal the cells keep their own pixels.
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x <= n - 1 - y; ++x) {
            ResultMap(x, y) = IndexMap(x, y);
        }
    }
    // Above it each cell takes the pixel mirrored across the anti-diagonal.
    for (int y = 1; y < n; ++y) {
        for (int x = n - 1; x >= n - y; --x) {
            ResultMap(x, y) = IndexMap(n - 1 - y, n - 1 - x);
        }
    }
}

std::optional<TPoint> TTShikaku::TileSizeFor(TPoint size) const
{
    return TPoint{2 * size.X - 2, 2 * size.X - 2};
}

// Mirror lines through the first column and row and the square's last ones.
TileAnchor TTShikaku::Anchor() const
{
    return {1, 1};
}

void TTShikaku::BuildResult()
{
    const int n = X();
    const TPoint tile = *TileSizeFor({X(), Y()});
    Result().SetHeight(tile.Y);
    Result().SetWidth(tile.X);
    RenderResultMap(n, n);
    MirrorColumns(n - 1, n);
    MirrorRows(n - 1);
}

}  // namespace qm
