// SPDX-License-Identifier: MIT
#include "engine/UmuNone.h"

namespace qm {

void TNone::BuildMap()
{
    BuildIdentityIndexMap(X(), Y());
    CopyIndexMapToResult(X(), Y());
}

std::optional<TPoint> TNone::TileSizeFor(TPoint size) const
{
    if (size.X < 1 || size.Y < 1) {
        return std::nullopt;  // refused when made
    }
    return size;
}

void TNone::BuildResult()
{
    Result().SetWidth(X());
    Result().SetHeight(Y());
    RenderResultMap(X(), Y());
}

}  // namespace qm
