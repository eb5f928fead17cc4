// SPDX-License-Identifier: MIT
#include "app/SourceImages.h"

#include <algorithm>

#include "app/SourceDecoding.h"
#include "app/UImageShelf.h"
#include "core/Errors.h"
#include "core/Translate.h"
#include "imageio/ImageFiles.h"

namespace qm {

DecodedPicture LoadSourcePicture(Platform& platform, std::uint8_t fileSelectType,
                                 const std::string& fileName, const std::string& folderName,
                                 const DecodeOptions& options, std::string* pickedFile)
{
    switch (fileSelectType) {
    case kSourceImageFile:
        return LoadPictureFile(fileName, options);
    case kSourceFolder: {
        TImageShelf shelf(folderName);
        DecodedPicture picture;
        const std::string picked = shelf.PickPicture(picture, options);
        if (pickedFile != nullptr) {
            *pickedFile = picked;
        }
        return picture;
    }
    case kSourceClipboard: {
        std::optional<Image> picture = platform.ClipboardImage();
        if (!picture) {
            throw ErrorMessage(T("クリップボードから画像を取得できません。"));
        }
        DecodedPicture decoded;
        decoded.Picture = std::move(*picture);
        return decoded;
    }
    default:
        throw ErrorMessage("FileSelectType invalid.");
    }
}

Image LoadSourceImage(Platform& platform, std::uint8_t fileSelectType, const std::string& fileName,
                      const std::string& folderName, bool autoOrient, std::string* pickedFile)
{
    DecodeOptions options;
    options.AutoOrient = autoOrient;
    return LoadSourcePicture(platform, fileSelectType, fileName, folderName, options, pickedFile)
        .Picture;
}

RunSource LoadRunSource(Platform& platform, std::uint8_t fileSelectType, const std::string& fileName,
                        const std::string& folderName, int sizeX, int sizeY,
                        const ExtendedSettings& extended, std::string* pickedFile)
{
    RunSource source;
    source.Decoded = LoadSourcePicture(platform, fileSelectType, fileName, folderName,
                                       SourceDecodeOptions(extended), pickedFile);
    Image picture = std::move(source.Decoded.Picture);
    source.Fitted = extended.Fit ? FitPicture(std::move(picture), std::max(sizeX, sizeY),
                                              extended.FitPercent)
                                 : FittedPicture{std::move(picture), 1.0};
    return source;
}

}  // namespace qm
