// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "app/Platform.h"
#include "core/Image.h"

namespace qm {

// The kinds of source picture of a run.
inline constexpr std::uint8_t kSourceImageFile = 0;
inline constexpr std::uint8_t kSourceFolder = 1;
inline constexpr std::uint8_t kSourceClipboard = 2;

// Loads the source picture of a run: the file fileName (0), one picture
// drawn at random from the folder folderName (1), or the clipboard picture
// (2). Throws ErrorMessage with the user's message on failure. With
// pickedFile, the folder's drawn picture file is stored there.
Image LoadSourceImage(Platform& platform, std::uint8_t fileSelectType, const std::string& fileName,
                      const std::string& folderName, std::string* pickedFile = nullptr);

}  // namespace qm
