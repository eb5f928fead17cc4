// SPDX-License-Identifier: MIT
#include "engine/UmuShikaku.h"

#include "engine/ErrorCodes.h"

namespace qm {

void TShikaku::BuildMap()
{
    BuildIdentityIndexMap(X(), Y());
    CopyIndexMapToResult(X(), Y());
}

std::optional<TPoint> TShikaku::TileSizeFor(TPoint size) const
{
    if (size.X < 2 || size.Y < 2) {
        return std::nullopt;  // refused when made
    }
    return TPoint{2 * size.X - 2, 2 * size.Y - 2};
}

// Mirror lines through the piece's first and last columns and rows.
TileAnchor TShikaku::Anchor() const
{
    return {1, 1};
}

void TShikaku::BuildResult()
{
    // The free-width size rules let one side through below 2 pixels; its tile
    // would be empty or of negative size, so such a piece is refused here.
    if (X() < 2 || Y() < 2) {
        Fail(kErrCutTooSmall);
    }
    const TPoint tile = *TileSizeFor({X(), Y()});
    Result().SetWidth(tile.X);
    Result().SetHeight(tile.Y);
    RenderResultMap(X(), Y());
    MirrorColumns(X() - 1, Y());
    MirrorRows(Y() - 1);
}

}  // namespace qm
