#pragma once

#include <cstdint>
#include <vector>

namespace qm::test {

// Compresses raw samples (width * height * components, rows from the top)
// with libjpeg in the given colour space, for pictures our own writer does
// not make: greyscale and CMYK files.
std::vector<std::uint8_t> EncodeRawJpeg(const std::vector<std::uint8_t>& samples, int width,
                                        int height, int components, int colorSpace);

}  // namespace qm::test
