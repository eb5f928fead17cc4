// SPDX-License-Identifier: MIT
#include <cstddef>
#include <cstdint>

#include "FuzzLimits.h"
#include "core/Errors.h"
#include "imageio/FinishPicture.h"
#include "imageio/TiffReader.h"

// Every input either decodes or fails with a message; anything else (a crash,
// a sanitizer report, a huge allocation) is a finding. The picture goes on
// through orientation and colour conversion with its embedded profile.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qm::DecodeOptions options;
    options.Limits = qm::kFuzzLimits;
    options.AutoOrient = true;
    options.Colour = qm::ColourHandling::ToSrgb;
    try {
        qm::FinishPicture(qm::DecodeTiffSource({data, size}, options), options);
    } catch (const qm::ErrorMessage&) {
    }
    return 0;
}
