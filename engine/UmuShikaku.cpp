// SPDX-License-Identifier: MIT
#include "engine/UmuShikaku.h"

#include "engine/ErrorCodes.h"

namespace qm {

void TShikaku::BuildMap()
{
    BuildIdentityIndexMap(X(), Y());
    CopyIndexMapToResult(X(), Y());
}

void TShikaku::BuildResult()
{
    // The free-width size rules let one side through below 2 pixels; its tile
    // would be empty or of negative size, so such a piece is refused here.
    if (X() < 2 || Y() < 2) {
        Fail(kErrCutTooSmall);
    }
    Result().SetWidth(2 * X() - 2);
    Result().SetHeight(2 * Y() - 2);
    RenderResultMap(X(), Y());
    MirrorColumns(X() - 1, Y());
    MirrorRows(Y() - 1);
}

}  // namespace qm
