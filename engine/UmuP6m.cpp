// SPDX-License-Identifier: MIT
#include "engine/UmuP6m.h"

namespace qm {

TP6m::TP6m() : THexGroupMaker(0xFFF, {{false, 0}}) {}

}  // namespace qm
