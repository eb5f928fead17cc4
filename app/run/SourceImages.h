// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "app/run/FitPicture.h"
#include "app/Platform.h"
#include "app/RunSettings.h"
#include "core/Image.h"

namespace qm {

// The kinds of source picture of a run.
inline constexpr std::uint8_t kSourceImageFile = 0;
inline constexpr std::uint8_t kSourceFolder = 1;
inline constexpr std::uint8_t kSourceClipboard = 2;

// Loads the source picture of a run: the file fileName (0), one picture
// drawn at random from the folder folderName (1), or the clipboard picture
// (2). With autoOrient a file's picture is turned as its orientation tag
// says. Throws ErrorMessage with the user's message on failure. With
// pickedFile, the folder's drawn picture file is stored there.
Image LoadSourceImage(Platform& platform, std::uint8_t fileSelectType, const std::string& fileName,
                      const std::string& folderName, bool autoOrient = false,
                      std::string* pickedFile = nullptr);

// The source of a run as fitted, with the fit in percent (0 without one).
struct RunSource : FittedPicture {
    int FitPercent = 0;
};

// The source of a run: loaded (and turned) as above, then fitted to the cut
// when the extended settings say so, at the fit they give or, for an
// automatic one, at the fit ChooseFit chooses, which platform is told of
// ("縮小 34 %"). A fit that leaves the picture as it is is warned of.
RunSource LoadRunSource(Platform& platform, const RunSettings& settings,
                            std::string* pickedFile = nullptr);

}  // namespace qm
