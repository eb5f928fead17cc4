// SPDX-License-Identifier: MIT
#include "engine/UmuNone.h"

namespace qm {

void TNone::BuildMap()
{
    BuildIdentityIndexMap(X(), Y());
    CopyIndexMapToResult(X(), Y());
}

void TNone::BuildResult()
{
    Result().SetWidth(X());
    Result().SetHeight(Y());
    RenderResultMap(X(), Y());
}

}  // namespace qm
