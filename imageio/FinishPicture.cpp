// SPDX-License-Identifier: MIT
#include "imageio/FinishPicture.h"

#include "imageio/OrientImage.h"
#include "imageio/colour/SrgbConversion.h"

namespace qm {

DecodedPicture FinishPicture(DecodedSource source, const DecodeOptions& options)
{
    colour::ColourResult colour;
    const bool cmyk = !source.Ink.empty();
    if (cmyk) {
        colour = colour::ConvertInkToSrgb(source.Ink, source.InkInverted, source.Colour,
                                          source.Picture);
        source.Ink = {};
    }
    DecodedPicture result;
    // Not a conditional expression: its lvalue branch would copy the picture.
    if (options.AutoOrient) {
        result.Picture = OrientImage(std::move(source.Picture), source.Orientation);
    } else {
        result.Picture = std::move(source.Picture);
    }
    if (!cmyk && options.Colour != ColourHandling::Raw) {
        colour = colour::ConvertToSrgb(
            result.Picture, source.Grey ? colour::ColourModel::Grey : colour::ColourModel::Rgb,
            source.Colour, options.Colour == ColourHandling::KeepRgbProfile);
    }
    result.ColourConverted = colour.Converted;
    result.ProfileDescription = std::move(colour.Description);
    result.ProfileSha256 = std::move(colour.Sha256);
    result.KeptProfile = std::move(colour.KeptProfile);
    result.Warnings = std::move(colour.Warnings);
    result.JpegScale = source.JpegScale;
    if (source.JpegScale < 8) {
        const bool sideways = source.Orientation >= 5;
        result.FullWidth = sideways ? source.FullHeight : source.FullWidth;
        result.FullHeight = sideways ? source.FullWidth : source.FullHeight;
    } else {
        result.FullWidth = result.Picture.Width();
        result.FullHeight = result.Picture.Height();
    }
    return result;
}

}  // namespace qm
