// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "core/Image.h"
#include "imageio/ColourTag.h"
#include "imageio/DecodeOptions.h"

namespace qm {

// Reads a single source file with the decoder its extension names, in any
// letter case: .bmp, .jpg and .jpeg, .png, .heic, .heif and .avif, .webp,
// .tif and .tiff. Throws ErrorMessage with the decoder's or the file
// system's message, or 拡張子 .<extension> の画像形式は処理できません for
// any other extension.
DecodedPicture LoadPictureFile(const std::string& path, const DecodeOptions& options);

// Tries the BMP, the JPEG and the PNG decoder in this order, whatever the
// extension says, then the HEIF, the WebP and the TIFF decoder for a file
// that starts with their signature; nothing when all fail.
std::optional<DecodedPicture> LoadPictureAnyFormat(const std::string& path,
                                                   const DecodeOptions& options);

// The same pictures with every other option at its default: decoded values
// as they are, alpha dropped (BMP, PNG) or laid on white. With autoOrient
// the picture is turned as its file's orientation says.
Image LoadImageFile(const std::string& path, bool autoOrient = false);
std::optional<Image> LoadImageAnyFormat(const std::string& path, bool autoOrient = false);

// Write a tile. Each replaces an existing file of that name only once the
// new file is complete; throws ErrorMessage on failure. Without a tag the
// files hold no colour information beyond PNG's gAMA.
void SaveBmp(const Image& image, const std::string& path);
void SaveJpeg(const Image& image, const std::string& path, int quality, const ColourTag& tag = {});
void SavePng(const Image& image, const std::string& path, const ColourTag& tag = {});
void SaveTiff(const Image& image, const std::string& path, const ColourTag& tag = {});

}  // namespace qm
