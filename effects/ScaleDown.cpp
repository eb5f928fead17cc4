// SPDX-License-Identifier: MIT
#include "effects/ScaleDown.h"

#include "effects/ScaleTo.h"

namespace qm {

Image ScaleDown(const Image& picture, int width, int height)
{
    return ScaleTo(picture, width, height);
}

}  // namespace qm
