// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Image.h"
#include "core/Translate.h"
#include "imageio/colour/EmbeddedColour.h"

namespace qm::colour {

// The warning for a profile that lcms2 cannot open, that is too large, or
// that does not fit the picture (a grey profile on a colour picture, ...).
inline constexpr const char* kUnreadableProfile = N_("色プロファイルを読めないため、変換しません");
// The warning for a PQ or HLG picture.
inline constexpr const char* kHdrShownAsIs =
    N_("HDR の画像 (PQ または HLG) をトーンマッピングせずに表示します");

// How the samples of a decoded picture are laid out.
enum class ColourModel {
    Rgb,   // blue, green, red
    Grey,  // blue, green, red all equal, from a one-channel source
};

// What the colour stage did.
struct ColourResult {
    // The pixels were changed.
    bool Converted = false;
    // Of the embedded ICC profile: its description (empty when it has none
    // or cannot be read) and the SHA-256 of its bytes (empty without one).
    std::string Description;
    std::string Sha256;
    // With keepRgbProfile, the RGB profile that describes the untouched
    // pixels, for tiles to embed; empty otherwise.
    std::vector<std::uint8_t> KeptProfile;
    // Texts for the user, already through T(), each at most once.
    std::vector<std::string> Warnings;
};

// Converts picture in place to sRGB as its embedded colour says: an RGB
// picture through its RGB profile (or the profile its code points name), a
// grey one through its grey profile as a curve applied to every channel,
// so that grey stays grey. A profile that moves no value of an 8-bit grid
// by more than 1 on its way to sRGB counts as sRGB, and its picture is left
// as it is; so is a picture without a profile. With keepRgbProfile an RGB
// picture is never changed and its profile is handed back instead.
ColourResult ConvertToSrgb(Image& picture, ColourModel model, const EmbeddedColour& colour,
                           bool keepRgbProfile);

// Fills picture (allocated, of the ink's size) from CMYK samples, 4 bytes
// a pixel in rows without padding (0 no ink; 255 no ink when inverted):
// through the embedded CMYK profile when there is a usable one, otherwise
// (with the unreadable-profile warning when there was one) by InkToBgr.
ColourResult ConvertInkToSrgb(std::span<const std::uint8_t> ink, bool inverted,
                              const EmbeddedColour& colour, Image& picture);

}  // namespace qm::colour
