// SPDX-License-Identifier: MIT
#include "app/run/SourceImages.h"

#include <algorithm>

#include "app/run/AutoFit.h"
#include "app/run/UImageShelf.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/ImageFiles.h"

namespace qm {

Image LoadSourceImage(Platform& platform, std::uint8_t fileSelectType, const std::string& fileName,
                      const std::string& folderName, bool autoOrient, std::string* pickedFile)
{
    switch (fileSelectType) {
    case kSourceImageFile:
        return LoadImageFile(fileName, autoOrient);
    case kSourceFolder: {
        TImageShelf shelf(folderName);
        Image picture;
        const std::string picked = shelf.PickImage(picture, autoOrient);
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
        return std::move(*picture);
    }
    default:
        throw ErrorMessage("FileSelectType invalid.");
    }
}

RunSource LoadRunSource(Platform& platform, const RunSettings& settings,
                            std::string* pickedFile)
{
    const ExtendedSettings& extended = settings.ExtendedSettings;
    Image picture = LoadSourceImage(platform, settings.FileSelectType, settings.FileName,
                                    settings.FolderName, extended.AutoOrient, pickedFile);
    if (!extended.Fit) {
        return {std::move(picture), 1.0, 0};
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
    FittedPicture fitted = FitPicture(std::move(picture), cutSide, percent);
    return {std::move(fitted.Picture), fitted.Scale, percent};
}

}  // namespace qm
