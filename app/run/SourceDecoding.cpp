// SPDX-License-Identifier: MIT
#include "app/run/SourceDecoding.h"

#include "app/run/FitPicture.h"
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

DecodeOptions SourceDecodeOptions(const ExtendedSettings& extended, int cutSide)
{
    DecodeOptions options = SourceDecodeOptions(extended);
    if (extended.Fit && !extended.FitAuto && !extended.Smooth) {
        const int percent = extended.FitPercent;
        options.MinSizeFor = [cutSide, percent](int width, int height) {
            const std::optional<PictureSize> fitted = FittedSize(width, height, cutSide, percent);
            return fitted ? std::pair{fitted->Width, fitted->Height} : std::pair{0, 0};
        };
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
