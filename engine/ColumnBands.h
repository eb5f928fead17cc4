// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace qm {

// Runs band(first, last) over consecutive column ranges covering 0..count-1,
// one range per core, the first on the calling thread. Every range is done
// before it returns; the first failure (in range order) is then rethrown.
// The bands must write disjoint cells, so the result does not depend on the
// number of cores.
void ForColumnBands(int count, const std::function<void(int first, int last)>& band);

}  // namespace qm
