// SPDX-License-Identifier: MIT
#pragma once

#include "imageio/DecodeLimits.h"

namespace qm {

// Pictures up to a million pixels, and only those their data could fill
// beyond 4096 pixels, keep every input quick; the decoders' checks against
// the limits are the same whatever the values.
inline constexpr DecodeLimits kFuzzLimits{4096, std::int64_t{1} << 20, 4096};

}  // namespace qm
