// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

namespace qm::test {

// Compresses raw samples (width * height * components, rows from the top)
// with libjpeg in the given colour space, for pictures our own writer does
// not make: greyscale and CMYK files.
std::vector<std::uint8_t> EncodeRawJpeg(const std::vector<std::uint8_t>& samples, int width,
                                        int height, int components, int colorSpace);

// A progressive greyscale file with one scan for the DC coefficients and one
// per AC coefficient (64 scans); with refine, each AC coefficient is sent in
// two steps of successive approximation (127 scans).
std::vector<std::uint8_t> EncodeManyScanGreyJpeg(const std::vector<std::uint8_t>& samples,
                                                 int width, int height, bool refine);

}  // namespace qm::test
