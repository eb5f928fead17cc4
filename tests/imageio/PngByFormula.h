// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

#include "core/Image.h"

namespace qm::test {

// An independent decoding of a PNG file for comparison: libpng unpacks the
// samples and nothing else, the colours are then worked out by the rules of
// the format: a grey sample of d bits becomes value * 255 / (2^d - 1), a
// palette index its palette entry, a 16-bit sample its high byte; alpha is
// left out. An empty image when libpng fails.
Image DecodePngByFormula(const std::filesystem::path& path);

}  // namespace qm::test
