// SPDX-License-Identifier: MIT
#pragma once

#include <lcms2.h>

#include <cstdint>
#include <vector>

namespace qm::colour {

// The ICC file of profile as lcms2 writes it, with a fixed creation date
// (2000-01-01) instead of the clock's and the profile ID computed over
// that, so that the same profile gives the same bytes on every run; empty
// when lcms2 fails.
std::vector<std::uint8_t> ReproducibleBytes(cmsHPROFILE profile);

// lcms2's sRGB profile as such bytes, for tiles that name their colours.
const std::vector<std::uint8_t>& SrgbProfileBytes();

}  // namespace qm::colour
