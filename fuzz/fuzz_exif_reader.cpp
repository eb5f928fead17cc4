// SPDX-License-Identifier: MIT
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imageio/ExifOrientation.h"

// Every input, a JPEG file, a PNG file or anything else, gives an
// orientation from 1 to 8; anything else (a crash, a sanitizer report, a
// huge allocation, a value out of range) is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int orientation = qm::ExifOrientation({data, size});
    if (orientation < 1 || orientation > 8) {
        std::abort();
    }
    return 0;
}
