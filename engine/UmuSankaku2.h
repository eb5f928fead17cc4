// SPDX-License-Identifier: MIT
#pragma once

#include "engine/UmuSankaku.h"

namespace qm {

// "絨毯風": the kaleidoscope of a piece whose right half is first replaced
// by the mirror image of its left half.
class TSankaku2 : public TSankaku {
protected:
    void CopyRows() override;
};

}  // namespace qm
