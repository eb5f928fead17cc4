// SPDX-License-Identifier: MIT
#pragma once

#include <lcms2.h>

#include <cstddef>
#include <cstdint>

namespace qm::colour {

// Runs transform over rows of width pixels, from rows of inBytes bytes a
// pixel at in to rows of outBytes at out (in and out may be the same when
// the sizes are), in bands of rows, one band per core. The transform must
// have been made without lcms2's one-pixel cache.
void TransformInBands(cmsHTRANSFORM transform, const std::uint8_t* in, std::size_t inBytes,
                      std::uint8_t* out, std::size_t outBytes, int width, int height);

}  // namespace qm::colour
