// SPDX-License-Identifier: MIT
#include "engine/UmuP6.h"

namespace qm {

TP6::TP6() : THexGroupMaker(0x03F, {{true, 1}, {false, 1}}) {}

}  // namespace qm
