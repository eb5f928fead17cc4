// SPDX-License-Identifier: MIT
#include "app/run/SourceImages.h"

#include <algorithm>

#include "app/run/SourceDecoding.h"
#include "app/run/AutoFit.h"
#include "app/run/PictureReadAhead.h"
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
        decoded.FullWidth = decoded.Picture.Width();
        decoded.FullHeight = decoded.Picture.Height();
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

namespace {

// The run's source from its decoded picture, fitted as LoadRunSource says
// unless it was fitted ahead.
RunSource FittedSource(Platform& platform, const RunSettings& settings, PictureAhead made)
{
    const ExtendedSettings& extended = settings.ExtendedSettings;
    RunSource source;
    source.Decoded = std::move(made.Decoded);
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
    const PictureSize full{source.Decoded.FullWidth, source.Decoded.FullHeight};
    if (!FittedSize(full.Width, full.Height, cutSide, percent)) {
        platform.Warn(T("縮小しても画像は小さくなりません"));
    }
    source.Fitted = made.Fitted ? std::move(*made.Fitted)
                                : FitPicture(std::move(picture), cutSide, percent, full);
    source.FitPercent = percent;
    return source;
}

}  // namespace

RunSource LoadRunSource(Platform& platform, const RunSettings& settings, std::string* pickedFile)
{
    const int cutSide = std::max(settings.SizeX, settings.SizeY);
    PictureReadAhead& readAhead = PictureReadAhead::Shared();
    const PictureRequest request{settings.FileName, settings.ExtendedSettings, cutSide};
    std::optional<PictureAhead> ahead;
    if (settings.FileSelectType == kSourceImageFile) {
        ahead = readAhead.Take(request);
    }
    if (!ahead) {
        ahead = PictureAhead{LoadSourcePicture(platform, settings.FileSelectType, settings.FileName,
                                               settings.FolderName,
                                               SourceDecodeOptions(settings.ExtendedSettings, cutSide),
                                               pickedFile),
                             std::nullopt};
    }
    RunSource source = FittedSource(platform, settings, std::move(*ahead));
    // The next picture is decoded and fitted beside this one's tiles, which
    // take one core.
    readAhead.Start(request);
    return source;
}

}  // namespace qm
