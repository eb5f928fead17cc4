// SPDX-License-Identifier: MIT
#include "engine/UmuP3m1.h"

namespace qm {

TP3m1::TP3m1() : THexGroupMaker(0x015 | 0xA80, {{true, 1}, {false, 1}}) {}

}  // namespace qm
