// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "app/run/FitPicture.h"
#include "app/Platform.h"
#include "app/RunSettings.h"
#include "core/Image.h"
#include "imageio/DecodeOptions.h"

namespace qm {

// The kinds of source picture of a run.
inline constexpr std::uint8_t kSourceImageFile = 0;
inline constexpr std::uint8_t kSourceFolder = 1;
inline constexpr std::uint8_t kSourceClipboard = 2;

// Loads the source picture of a run: the file fileName (0), one picture
// drawn at random from the folder folderName (1), or the clipboard picture
// (2) as it is. A file's picture is decoded as options say. Throws
// ErrorMessage with the user's message on failure. With pickedFile, the
// folder's drawn picture file is stored there.
DecodedPicture LoadSourcePicture(Platform& platform, std::uint8_t fileSelectType,
                                 const std::string& fileName, const std::string& folderName,
                                 const DecodeOptions& options, std::string* pickedFile = nullptr);

// The same picture with its decoded values as they are; with autoOrient a
// file's picture is turned as its orientation tag says.
Image LoadSourceImage(Platform& platform, std::uint8_t fileSelectType, const std::string& fileName,
                      const std::string& folderName, bool autoOrient = false,
                      std::string* pickedFile = nullptr);

// The source of a run: the picture, fitted, with the fit in percent (0
// without one), and what decoding did to it (its Picture moved into
// Fitted).
struct RunSource {
    FittedPicture Fitted;
    DecodedPicture Decoded;
    int FitPercent = 0;
    // With smooth edges, the picture before the fit, which the finer
    // pieces are cut from; empty otherwise.
    Image Unscaled;
};

// The source of a run: loaded as above, decoded as SourceDecodeOptions says
// of its extended settings, then fitted to the cut when they say so, at the
// fit they give or, for an automatic one, at the fit ChooseFit chooses,
// which platform is told of ("縮小 34 %"). A fit that leaves the picture as
// it is is warned of.
RunSource LoadRunSource(Platform& platform, const RunSettings& settings,
                        std::string* pickedFile = nullptr);

}  // namespace qm
