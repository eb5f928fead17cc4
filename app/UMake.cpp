#include "app/UMake.h"

#include <limits>
#include <memory>

#include "app/MakerFactory.h"
#include "app/SourceImages.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Image.h"
#include "core/Random.h"
#include "effects/EffectLib.h"
#include "effects/ImageEffect.h"
#include "engine/ErrorCodes.h"
#include "imageio/ImageFiles.h"

namespace qm {
namespace {

constexpr std::uint8_t kJpeg = 1;
constexpr std::uint8_t kPng = 2;

const char* Extension(std::uint8_t imageType)
{
    switch (imageType) {
    case kPng:
        return ".png";
    case kJpeg:
        return ".jpg";
    default:
        return ".bmp";
    }
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

[[noreturn]] void ReportAndStop(Platform& platform, std::int32_t code, const std::string& detail)
{
    ReportError(platform, code, detail);
    throw SilentStop();
}

}  // namespace

void MakeImages(Platform& platform, std::int32_t Count, std::uint8_t TransMethod,
                const std::string& FileName, const std::string& FolderName, std::int32_t SizeX,
                std::int32_t SizeY, const std::string& Prefix, std::uint8_t ImageType,
                std::uint8_t Quality, bool ShuffleFlag, bool ShadeOffFlag, bool BrightnessFlag,
                const std::string& DllName, const std::string& OutDirectory,
                std::int32_t RotateNum, std::uint8_t FileSelectType)
{
    TImageEffect effect;
    Image SourceImage = LoadSourceImage(platform, FileSelectType, FileName, FolderName);

    std::unique_ptr<TMakeUnit> maker = CreateMaker(TransMethod, DllName, RotateNum);
    if (!maker) {
        ReportAndStop(platform, kErrBadMethod, "");
    }

    if (ShadeOffFlag) {
        Blur(SourceImage);
    }

    if (!maker->Prepare(TPoint{SizeX, SizeY}, ShuffleFlag)) {
        ReportAndStop(platform, maker->ErrorCode(), maker->ErrorText());
    }
    // The rectangle and no-conversion makers let one side below 1 through
    // when the other is long enough; a piece without pixels cannot be cut.
    if (SizeX < 1 || SizeY < 1) {
        ReportAndStop(platform, kErrCutTooSmall, "");
    }

    Image PieceImage(SizeX, SizeY);
    Image bmpImage;

    const std::int32_t dx = FreeRange(SourceImage.Width(), SizeX);
    const std::int32_t dy = FreeRange(SourceImage.Height(), SizeY);
    // No cut position exists in a source smaller than the cut.
    if (dx < 0 || dy < 0) {
        ReportAndStop(platform, kErrSourceTooSmall, "");
    }

    rng::Reseed();
    for (std::int32_t i = 1; i <= Count; ++i) {
        const auto x0 = static_cast<int>(rng::Random(static_cast<std::uint32_t>(dx)));
        const auto y0 = static_cast<int>(rng::Random(static_cast<std::uint32_t>(dy)));
        PieceImage.CopyRect(0, 0, SourceImage, Rect{x0, y0, SizeX, SizeY});

        if (BrightnessFlag) {
            effect.SetSource(PieceImage);
            const double f = rng::RandomFraction();
            effect.ChangeBrightness(f * 0.5 - 0.25);
            PieceImage = effect.GetResult();
        }

        if (!maker->Make(PieceImage)) {
            ReportAndStop(platform, maker->ErrorCode(), maker->ErrorText());
        }

        const std::string path =
            OutDirectory + Prefix + Format("%.3d", {i}) + Extension(ImageType);
        if (ImageType == kPng) {
            SavePng(maker->ResultImage(), path);
        } else if (ImageType == kJpeg) {
            SaveJpeg(maker->ResultImage(), path, Quality);
        } else {
            bmpImage = maker->ResultImage();
            SaveBmp(bmpImage, path);
        }
    }
}

}  // namespace qm
