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

// The same for a run whose cut's longer side is cutSide. With a fit at a
// percent of its own and without smooth edges, a JPEG picture that the fit
// shrinks is decoded at the smallest scale M/8 that still gives the fitted
// size (FittedSize of its full size), FitPicture doing the rest of the way;
// an automatic fit, which looks at the whole picture, and smooth edges,
// which cut from the picture before the fit, keep the full decode.
DecodeOptions SourceDecodeOptions(const ExtendedSettings& extended, int cutSide);

// What the tiles of a run say about their colours: the sRGB tag with
// ColourTags, the source's own RGB profile with KeepProfile (none when it
// kept none), nothing otherwise.
ColourTag TileColourTag(const ExtendedSettings& extended, const DecodedPicture& source);

}  // namespace qm
