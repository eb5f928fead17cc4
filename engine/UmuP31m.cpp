// SPDX-License-Identifier: MIT
#include "engine/UmuP31m.h"

namespace qm {

TP31m::TP31m() : THexGroupMaker(0x015 | 0x540, {{false, 0}, {true, 1}}) {}

}  // namespace qm
