// SPDX-License-Identifier: MIT
#include "app/UMake.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <thread>

#include "app/MakeTiles.h"
#include "app/MakerFactory.h"
#include "app/SourceImages.h"
#include "core/Errors.h"
#include "effects/ImageEffect.h"
#include "engine/ErrorCodes.h"

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

[[noreturn]] void ReportAndStop(MessageBoxes& boxes, std::int32_t code, const std::string& detail)
{
    ReportError(boxes, code, detail);
    throw SilentStop();
}

}  // namespace

PreparedMaker PrepareMaker(MessageBoxes& boxes, const Image& source, std::uint8_t TransMethod,
                           const std::string& DllName, std::int32_t RotateNum, std::int32_t SizeX,
                           std::int32_t SizeY, bool ShuffleFlag)
{
    PreparedMaker prepared;
    prepared.Maker = CreateMaker(TransMethod, DllName, RotateNum);
    if (!prepared.Maker) {
        ReportAndStop(boxes, kErrBadMethod, "");
    }
    TMakeUnit& maker = *prepared.Maker;
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

void MakeImages(Platform& platform, std::int32_t Count, std::uint8_t TransMethod,
                const std::string& FileName, const std::string& FolderName, std::int32_t SizeX,
                std::int32_t SizeY, const std::string& Prefix, std::uint8_t ImageType,
                std::uint8_t Quality, bool ShuffleFlag, bool ShadeOffFlag, bool BrightnessFlag,
                const std::string& DllName, const std::string& OutDirectory,
                std::int32_t RotateNum, std::uint8_t FileSelectType, unsigned EncoderThreads)
{
    Image SourceImage = LoadSourceImage(platform, FileSelectType, FileName, FolderName);

    if (ShadeOffFlag) {
        Blur(SourceImage);
    }

    const PreparedMaker prepared = PrepareMaker(platform, SourceImage, TransMethod, DllName,
                                                RotateNum, SizeX, SizeY, ShuffleFlag);

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
    MakeTiles(platform, *prepared.Maker, SourceImage, series);
}

}  // namespace qm
