// SPDX-License-Identifier: MIT
#include <cstddef>
#include <cstdint>

#include "FuzzLimits.h"
#include "core/Errors.h"
#include "imageio/BmpReader.h"

// Every input either decodes or fails with a message; anything else (a crash,
// a sanitizer report, a huge allocation) is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        qm::DecodeBmp({data, size}, qm::kFuzzLimits);
    } catch (const qm::ErrorMessage&) {
    }
    return 0;
}
