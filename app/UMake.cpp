// SPDX-License-Identifier: MIT
#include "app/UMake.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <thread>

#include "app/AppInfo.h"
#include "app/FileHash.h"
#include "app/MakeTiles.h"
#include "app/MakerFactory.h"
#include "app/RunRecorder.h"
#include "app/RunTiles.h"
#include "app/SourceImages.h"
#include "core/Errors.h"
#include "core/Translate.h"
#include "effects/ImageEffect.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

// One encoder thread per core; one when the number of cores is unknown.
unsigned ThreadsOfMachine()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

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

PreparedMaker PrepareMaker(MessageBoxes& boxes, const Image& source, std::uint8_t TransMethod,
                           const std::string& DllName, std::int32_t RotateNum, std::int32_t SizeX,
                           std::int32_t SizeY, bool ShuffleFlag, bool LargeCuts)
{
    PreparedMaker prepared;
    prepared.Maker = CreateMaker(TransMethod, DllName, RotateNum);
    if (!prepared.Maker) {
        ReportAndStop(boxes, kErrBadMethod, "");
    }
    TMakeUnit& maker = *prepared.Maker;
    if (TransMethod == kPluginMethodCode) {
        // The plug-in interface names cells of pieces up to 256 pixels.
        if (LargeCuts && std::max(SizeX, SizeY) > TMakeUnit::kPixelSide) {
            ReportAndStop(boxes, kErrCutTooLarge, T(kPluginCutLimit));
        }
    } else {
        maker.LargeCuts = LargeCuts;
    }
    if (!maker.Prepare(TPoint{SizeX, SizeY}, ShuffleFlag)) {
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
void Run(Platform& platform, std::int32_t Count, std::uint8_t TransMethod,
         const std::string& FileName, const std::string& FolderName, std::int32_t SizeX,
         std::int32_t SizeY, const std::string& Prefix, std::uint8_t ImageType,
         std::uint8_t Quality, bool ShuffleFlag, bool ShadeOffFlag, bool BrightnessFlag,
         const std::string& DllName, const std::string& OutDirectory, std::int32_t RotateNum,
         std::uint8_t FileSelectType, unsigned EncoderThreads, const ExtendedSettings& Extended,
         TRunRecorder* recorder)
{
    std::string pickedFile;
    // Smoothing resamples its pieces from the picture before the fit and
    // the blur.
    Image unscaled;
    FittedPicture source;
    if (Extended.Smooth) {
        unscaled = LoadSourceImage(platform, FileSelectType, FileName, FolderName,
                                   Extended.AutoOrient, &pickedFile);
        source = Extended.Fit ? FitPicture(unscaled, std::max(SizeX, SizeY), Extended.FitPercent)
                              : FittedPicture{unscaled, 1.0};
    } else {
        source = LoadRunSource(platform, FileSelectType, FileName, FolderName, SizeX, SizeY,
                               Extended, &pickedFile);
    }
    Image& SourceImage = source.Picture;
    if (recorder != nullptr) {
        recorder->SourceLoaded(FileSelectType,
                               FileSelectType == kSourceFolder ? pickedFile : FileName, FolderName,
                               SourceImage, source.Scale);
        recorder->SetStep("shuffle");
    }

    if (ShadeOffFlag) {
        Blur(SourceImage);
    }

    RunTilesAsked asked;
    asked.TransMethod = TransMethod;
    asked.DllName = DllName;
    asked.RotateNum = RotateNum;
    asked.Cut = TPoint{SizeX, SizeY};
    asked.Shuffle = ShuffleFlag;
    asked.Blur = ShadeOffFlag;
    asked.LargeCuts = Extended.LargeCuts;
    asked.Extended = Extended;
    asked.Source = &SourceImage;
    asked.Unscaled = &unscaled;
    const PreparedTiles prepared = PrepareRunTiles(platform, asked);
    if (!prepared.Warning.empty()) {
        platform.Warn(prepared.Warning);
    }

    TileSeries series;
    series.Count = Count;
    series.SizeX = SizeX;
    series.SizeY = SizeY;
    series.RangeX = prepared.RangeX;
    series.RangeY = prepared.RangeY;
    series.Prefix = Prefix;
    series.ImageType = ImageType;
    series.Quality = Quality;
    series.BrightnessFlag = BrightnessFlag;
    series.OutDirectory = OutDirectory;
    series.EncoderThreads = EncoderThreads != 0 ? EncoderThreads : ThreadsOfMachine();
    series.Extended = Extended;
    if (recorder != nullptr) {
        recorder->SetStep("run");
    }
    MakeTiles(platform, *prepared.Tiles, series, recorder);
}

// The record's inputs of a run.
RunRecordData RecordedInputs(std::int32_t Count, std::uint8_t TransMethod, std::int32_t SizeX,
                             std::int32_t SizeY, const std::string& Prefix, std::uint8_t ImageType,
                             std::uint8_t Quality, bool ShuffleFlag, bool ShadeOffFlag,
                             bool BrightnessFlag, const std::string& DllName,
                             std::int32_t RotateNum, const ExtendedSettings& Extended)
{
    RunRecordData r;
    r.Version = kApplicationVersion;
    r.MethodCode = TransMethod;
    const MethodInfo* method = BuiltinMethod(TransMethod);
    r.MethodName = TransMethod == kPluginMethodCode ? "外部変換"
                   : method != nullptr              ? method->itemText
                                                    : "";
    r.SizeX = SizeX;
    r.SizeY = SizeY;
    r.Shuffle = ShuffleFlag;
    r.Blur = ShadeOffFlag;
    r.Brightness = BrightnessFlag;
    r.RotateNum = RotateNum;
    if (TransMethod == kPluginMethodCode) {
        r.PluginPath = std::filesystem::absolute(DllName).lexically_normal().string();
        r.PluginSha256 = Sha256OfFile(DllName).value_or("");
    }
    r.ImageType = ImageType;
    r.Quality = Quality;
    r.Prefix = Prefix;
    r.Count = Count;
    r.Extended = Extended;
    return r;
}

}  // namespace

void MakeImages(Platform& platform, std::int32_t Count, std::uint8_t TransMethod,
                const std::string& FileName, const std::string& FolderName, std::int32_t SizeX,
                std::int32_t SizeY, const std::string& Prefix, std::uint8_t ImageType,
                std::uint8_t Quality, bool ShuffleFlag, bool ShadeOffFlag, bool BrightnessFlag,
                const std::string& DllName, const std::string& OutDirectory,
                std::int32_t RotateNum, std::uint8_t FileSelectType, unsigned EncoderThreads,
                const ExtendedSettings& Extended)
{
    const auto run = [&](TRunRecorder* recorder) {
        Run(platform, Count, TransMethod, FileName, FolderName, SizeX, SizeY, Prefix, ImageType,
            Quality, ShuffleFlag, ShadeOffFlag, BrightnessFlag, DllName, OutDirectory, RotateNum,
            FileSelectType, EncoderThreads, Extended, recorder);
    };
    if (!Extended.Record) {
        run(nullptr);
        return;
    }
    TRunRecorder recorder(RecordedInputs(Count, TransMethod, SizeX, SizeY, Prefix, ImageType,
                                         Quality, ShuffleFlag, ShadeOffFlag, BrightnessFlag,
                                         DllName, RotateNum, Extended),
                          OutDirectory);
    try {
        run(&recorder);
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
