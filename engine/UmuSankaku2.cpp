// SPDX-License-Identifier: MIT
#include "engine/UmuSankaku2.h"

namespace qm {

void TSankaku2::CopyRows()
{
    TSankaku::CopyRows();
    for (int y = 0; y < Y(); ++y) {
        for (int x = X() / 2; x < X(); ++x) {
            for (int k = 0; k < 3; ++k) {
                PixelArray(x, y, k) = PixelArray(X() - 1 - x, y, k);
            }
        }
    }
}

}  // namespace qm
