// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace qm::colour {

// Colour code points of ITU-T H.273 as HEIF and AVIF files carry them in
// an nclx box; 2 means unspecified.
struct CicpColour {
    int Primaries = 2;
    int Transfer = 2;
    int Matrix = 2;
};

// What a source file says about the colours of its samples.
struct EmbeddedColour {
    // An ICC profile; empty when the file holds none.
    std::vector<std::uint8_t> Icc;
    // Code points, used when there is no ICC profile.
    std::optional<CicpColour> Cicp;

    bool Empty() const { return Icc.empty() && !Cicp; }
};

}  // namespace qm::colour
