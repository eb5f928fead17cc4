// SPDX-License-Identifier: MIT
#include "app/run/SourceDecoding.h"

#include "imageio/HexColour.h"

namespace qm {

DecodeOptions SourceDecodeOptions(const ExtendedSettings& extended)
{
    DecodeOptions options;
    options.AutoOrient = extended.AutoOrient;
    options.Colour = extended.KeepProfile     ? ColourHandling::KeepRgbProfile
                     : extended.ColourConvert ? ColourHandling::ToSrgb
                                              : ColourHandling::Raw;
    if (extended.Background) {
        options.Background = ParseHexColour(extended.BackgroundColour);
    }
    return options;
}

ColourTag TileColourTag(const ExtendedSettings& extended, const DecodedPicture& source)
{
    ColourTag tag;
    tag.Srgb = extended.ColourTags;
    if (extended.KeepProfile) {
        tag.Profile = source.KeptProfile;
    }
    return tag;
}

}  // namespace qm
