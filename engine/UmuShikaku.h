#pragma once

#include "engine/UMakeUnit.h"

namespace qm {

// "長方形": the piece in the top-left quarter, mirrored to the right and the
// whole mirrored downwards. Width and height are free; an odd width is
// accepted and one side may be below 32 as long as the other is not.
class TShikaku : public TMakeUnit {
protected:
    void BuildMap() override;
    void BuildResult() override;
    bool HasRelaxedSizeRules() const override { return true; }
};

}  // namespace qm
