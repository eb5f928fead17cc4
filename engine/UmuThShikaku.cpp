// SPDX-License-Identifier: MIT
#include "engine/UmuThShikaku.h"

namespace qm {

void ThTShikaku::BuildMap()
{
    const int n = X();
    const int h = n / 2;
    BuildIdentityIndexMap(n, n);
    // Bottom wedge: the piece's own cells.
    for (int y = 0; y <= h; ++y) {
        for (int x = y; x <= n - 1 - y; ++x) {
            ResultMap(x, y) = IndexMap(x, y);
        }
    }
    // Left wedge: the bottom wedge mirrored across the diagonal x = y.
    for (int x = 0; x <= h; ++x) {
        for (int y = x; y <= n - 1 - x; ++y) {
            ResultMap(x, y) = IndexMap(y, x);
        }
    }
    // Above the anti-diagonal: the lower half mirrored across it.
    for (int y = 1; y < n; ++y) {
        for (int x = n - 1; x >= n - y; --x) {
            ResultMap(x, y) = ResultMap(n - 1 - y, n - 1 - x);
        }
    }
}

}  // namespace qm
