// SPDX-License-Identifier: MIT
#pragma once

#include "core/Image.h"

namespace qm {

// The picture as it is meant to be seen when its orientation tag says
// orientation (1 to 8): 1 as stored, 2 mirrored left to right, 3 turned
// half round, 4 mirrored top to bottom, 5 mirrored along the diagonal from
// the top left, 6 turned a quarter clockwise, 7 mirrored along the other
// diagonal, 8 turned a quarter anticlockwise. Any other value keeps it.
Image OrientImage(Image picture, int orientation);

}  // namespace qm
