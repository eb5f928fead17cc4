// SPDX-License-Identifier: MIT
#pragma once

#include "app/ExtendedSettings.h"
#include "imageio/ColourTag.h"
#include "imageio/DecodeOptions.h"

namespace qm {

// How the source picture of a run is decoded under its extended settings:
// turned as its file says with AutoOrient; converted to sRGB with
// ColourConvert, RGB pictures left as they are for KeepProfile; transparent
// parts laid on BackgroundColour with Background.
DecodeOptions SourceDecodeOptions(const ExtendedSettings& extended);

// What the tiles of a run say about their colours: the sRGB tag with
// ColourTags, the source's own RGB profile with KeepProfile (none when it
// kept none), nothing otherwise.
ColourTag TileColourTag(const ExtendedSettings& extended, const DecodedPicture& source);

}  // namespace qm
