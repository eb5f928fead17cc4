// SPDX-License-Identifier: MIT
#include "engine/UmuP3.h"

namespace qm {

TP3::TP3() : THexGroupMaker(0x015, {{false, 0}, {true, 1}, {false, 1}, {true, 2}}) {}

}  // namespace qm
