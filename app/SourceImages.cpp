// SPDX-License-Identifier: MIT
#include "app/SourceImages.h"

#include "app/UImageShelf.h"
#include "core/Errors.h"
#include "imageio/ImageFiles.h"

namespace qm {

Image LoadSourceImage(Platform& platform, std::uint8_t fileSelectType, const std::string& fileName,
                      const std::string& folderName, std::string* pickedFile)
{
    switch (fileSelectType) {
    case kSourceImageFile:
        return LoadImageFile(fileName);
    case kSourceFolder: {
        TImageShelf shelf(folderName);
        Image picture;
        const std::string picked = shelf.PickImage(picture);
        if (pickedFile != nullptr) {
            *pickedFile = picked;
        }
        return picture;
    }
    case kSourceClipboard: {
        std::optional<Image> picture = platform.ClipboardImage();
        if (!picture) {
            throw ErrorMessage("クリップボードから画像を取得できません。");
        }
        return std::move(*picture);
    }
    default:
        throw ErrorMessage("FileSelectType invalid.");
    }
}

}  // namespace qm
