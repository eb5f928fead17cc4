// SPDX-License-Identifier: MIT
#pragma once

#include "imageio/DecodeOptions.h"
#include "imageio/DecodedSource.h"

namespace qm {

// The picture the caller gets from what a decoder delivered: CMYK samples
// converted, turned as its orientation says (with options.AutoOrient), and
// its colours converted to sRGB as options.Colour says.
DecodedPicture FinishPicture(DecodedSource source, const DecodeOptions& options);

}  // namespace qm
