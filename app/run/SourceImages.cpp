// SPDX-License-Identifier: MIT
#include "app/run/SourceImages.h"

#include <algorithm>

#include "app/run/SourceDecoding.h"
#include "app/run/AutoFit.h"
#include "app/run/UImageShelf.h"
#include "core/Errors.h"
#include "core/Format.h"
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

RunSource LoadRunSource(Platform& platform, const RunSettings& settings, std::string* pickedFile)
{
    const ExtendedSettings& extended = settings.ExtendedSettings;
    RunSource source;
    source.Decoded = LoadSourcePicture(platform, settings.FileSelectType, settings.FileName,
                                       settings.FolderName, SourceDecodeOptions(extended),
                                       pickedFile);
    Image picture = std::move(source.Decoded.Picture);
    if (extended.Smooth) {
        source.Unscaled = picture;
    }
    if (!extended.Fit) {
        source.Fitted = FittedPicture{std::move(picture), 1.0};
        return source;
    }
    const int cutSide = std::max(settings.SizeX, settings.SizeY);
    const int percent =
        extended.FitAuto ? ChooseFit(picture, settings.SizeX, settings.SizeY) : extended.FitPercent;
    if (extended.FitAuto) {
        platform.Note(Format(T("縮小 %d %%"), {percent}));
    }
    if (!FittedSize(picture.Width(), picture.Height(), cutSide, percent)) {
        platform.Warn(T("縮小しても画像は小さくなりません"));
    }
    source.Fitted = FitPicture(std::move(picture), cutSide, percent);
    source.FitPercent = percent;
    return source;
}

}  // namespace qm
