// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "core/Image.h"

namespace qm {

// Reads a single source file with the decoder its extension names (.bmp,
// .jpg, .jpeg, .png, any letter case). Throws ErrorMessage with the
// decoder's or the file system's message. With autoOrient a JPEG or PNG
// picture is turned as its Exif orientation tag says.
Image LoadImageFile(const std::string& path, bool autoOrient = false);

// Tries the BMP, the JPEG and the PNG decoder in this order, whatever the
// extension says; nothing when all three fail. autoOrient as above.
std::optional<Image> LoadImageAnyFormat(const std::string& path, bool autoOrient = false);

// Write a tile. Each replaces an existing file of that name only once the
// new file is complete; throws ErrorMessage on failure.
void SaveBmp(const Image& image, const std::string& path);
void SaveJpeg(const Image& image, const std::string& path, int quality);
void SavePng(const Image& image, const std::string& path);

}  // namespace qm
