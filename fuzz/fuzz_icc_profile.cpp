// SPDX-License-Identifier: MIT
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "imageio/colour/SrgbConversion.h"

// Any bytes as the embedded profile of a small colour, grey and CMYK
// picture: lcms2 opens them in its bounded context or the profile is
// ignored with a warning; anything else is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qm::colour::EmbeddedColour colour;
    colour.Icc.assign(data, data + size);
    for (const auto model : {qm::colour::ColourModel::Rgb, qm::colour::ColourModel::Grey}) {
        qm::Image picture(16, 4);
        qm::colour::ConvertToSrgb(picture, model, colour, false);
    }
    const std::vector<std::uint8_t> ink(4 * 16 * 4, 100);
    qm::Image picture(16, 4);
    qm::colour::ConvertInkToSrgb(ink, false, colour, picture);
    return 0;
}
