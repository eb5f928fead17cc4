// SPDX-License-Identifier: MIT
#pragma once

#include "engine/UMakeUnit.h"

namespace qm {

// "無変換": hands the piece back unchanged, or scattered by the shuffle.
class TNone : public TMakeUnit {
public:
    std::optional<TPoint> TileSizeFor(TPoint size) const override;
    bool ScalesWithCut() const override { return true; }

protected:
    void BuildMap() override;
    void BuildResult() override;
};

}  // namespace qm
