// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace qm {

// The number of cores, at least 1.
int Cores();

// Runs band(first, last) over `bands` consecutive ranges covering
// 0..count-1 (bands clamped to 1..count), range b from count * b / bands,
// the first on the calling thread and each other on a thread of its own
// (on the calling thread when no thread is to be had). Every range is done
// before it returns; the first failure (in range order) is then rethrown.
// The bands must write disjoint cells, so the result does not depend on
// their number.
void ForBands(int count, int bands, const std::function<void(int first, int last)>& band);

}  // namespace qm
