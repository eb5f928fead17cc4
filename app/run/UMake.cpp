// SPDX-License-Identifier: MIT
#include "app/run/UMake.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "app/run/MakeTiles.h"
#include "app/run/MakerFactory.h"
#include "app/run/RunRecorder.h"
#include "app/run/RunTiles.h"
#include "app/run/SourceDecoding.h"
#include "app/run/SourceImages.h"
#include "core/Errors.h"
#include "core/Translate.h"
#include "effects/ImageEffect.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

// The free range of the cut position along one side: source side minus cut
// side, which must fit 32 bits.
std::int32_t FreeRange(int sourceSide, std::int32_t cutSide)
{
    const std::int64_t range = std::int64_t{sourceSide} - cutSide;
    if (range < std::numeric_limits<std::int32_t>::min() ||
        range > std::numeric_limits<std::int32_t>::max()) {
        throw ErrorMessage("Integer overflow");
    }
    return static_cast<std::int32_t>(range);
}

// The detail of a plug-in run refused for a cut beyond what plug-ins take.
constexpr const char* kPluginCutLimit = N_("外部変換で切り抜けるサイズは256までです。");

// Writes the record of a failed run; the run's own failure is what the
// user is told, so a record that cannot be written adds nothing to it.
void WriteFailure(TRunRecorder& recorder, const std::string& message)
{
    try {
        recorder.Failed(message);
    } catch (const ErrorMessage&) {
    }
}

[[noreturn]] void ReportAndStop(MessageBoxes& boxes, std::int32_t code, const std::string& detail)
{
    ReportError(boxes, code, detail);
    throw SilentStop();
}

}  // namespace

PreparedMaker PrepareMaker(MessageBoxes& boxes, const Image& source, const RunSettings& settings)
{
    const std::int32_t SizeX = settings.SizeX;
    const std::int32_t SizeY = settings.SizeY;
    const bool LargeCuts = settings.ExtendedSettings.LargeCuts;
    PreparedMaker prepared;
    prepared.Maker = CreateMaker(settings.TransMethod, settings.DllName, settings.RotateNum,
                                 settings.ExtendedSettings.WallpaperGroups);
    if (!prepared.Maker) {
        ReportAndStop(boxes, kErrBadMethod, "");
    }
    TMakeUnit& maker = *prepared.Maker;
    if (settings.TransMethod == kPluginMethodCode) {
        // The plug-in interface names cells of pieces up to 256 pixels.
        if (LargeCuts && std::max(SizeX, SizeY) > TMakeUnit::kPixelSide) {
            ReportAndStop(boxes, kErrCutTooLarge, T(kPluginCutLimit));
        }
    } else {
        maker.LargeCuts = LargeCuts;
    }
    if (!maker.Prepare(TPoint{SizeX, SizeY}, settings.ShuffleFlag)) {
        ReportAndStop(boxes, maker.ErrorCode(), maker.ErrorText());
    }
    // The rectangle and no-conversion makers let one side below 1 through
    // when the other is long enough; a piece without pixels cannot be cut.
    if (SizeX < 1 || SizeY < 1) {
        ReportAndStop(boxes, kErrCutTooSmall, "");
    }

    prepared.RangeX = FreeRange(source.Width(), SizeX);
    prepared.RangeY = FreeRange(source.Height(), SizeY);
    // No cut position exists in a source smaller than the cut.
    if (prepared.RangeX < 0 || prepared.RangeY < 0) {
        ReportAndStop(boxes, kErrSourceTooSmall, "");
    }
    return prepared;
}

namespace {

// The run itself; recorder, when there is one, is told of its source, its
// seeds and its tiles.
void Run(Platform& platform, const RunSettings& settings, TRunRecorder* recorder)
{
    std::string pickedFile;
    RunSource source = LoadRunSource(platform, settings, &pickedFile);
    for (const std::string& warning : source.Decoded.Warnings) {
        platform.Warn(warning);
    }
    Image& SourceImage = source.Fitted.Picture;
    if (recorder != nullptr) {
        recorder->SourceProfile(source.Decoded.ProfileDescription, source.Decoded.ProfileSha256);
        recorder->FitChosen(source.FitPercent);
        recorder->SourceJpegScale(source.Decoded.JpegScale);
        recorder->SourceLoaded(settings.FileSelectType,
                               settings.FileSelectType == kSourceFolder ? pickedFile
                                                                        : settings.FileName,
                               settings.FolderName, SourceImage, source.Fitted.Scale);
        recorder->SetStep("shuffle");
    }

    if (settings.ShadeOffFlag) {
        Blur(SourceImage);
    }

    const PreparedTiles prepared =
        PrepareRunTiles(platform, {settings, &SourceImage, &source.Unscaled, std::nullopt});
    if (!prepared.Warning.empty()) {
        platform.Warn(prepared.Warning);
    }
    const TileSeries series{settings, prepared.RangeX, prepared.RangeY,
                            TileColourTag(settings.ExtendedSettings, source.Decoded)};
    if (recorder != nullptr) {
        recorder->SetStep("run");
    }
    MakeTiles(platform, *prepared.Tiles, series, recorder);
}

}  // namespace

void MakeImages(Platform& platform, const RunSettings& settings)
{
    if (!settings.ExtendedSettings.Record) {
        Run(platform, settings, nullptr);
        return;
    }
    TRunRecorder recorder(settings);
    try {
        Run(platform, settings, &recorder);
    } catch (const ErrorMessage& failure) {
        WriteFailure(recorder, failure.what());
        throw;
    } catch (...) {
        WriteFailure(recorder, "");
        throw;
    }
    recorder.Made();
}

}  // namespace qm
