// SPDX-License-Identifier: MIT
#pragma once

#include "engine/UmuTShikaku.h"

namespace qm {

// "タイル風": keeps the wedge of the square piece that stands on its bottom
// edge with the apex at the centre and mirrors it into the other three
// quarters, so the square is symmetric about both diagonals; the tile is
// then finished as the tablecloth's.
class ThTShikaku : public TTShikaku {
protected:
    void BuildMap() override;
};

}  // namespace qm
