// SPDX-License-Identifier: MIT
#include "app/window/PreviewModel.h"

#include <gtest/gtest.h>

#include "RecordingPlatform.h"
#include "app/run/SourceImages.h"
#include "app/run/UMake.h"
#include "engine/ErrorCodes.h"
#include "imageio/ImageFiles.h"
#include "imageio/JpegWriter.h"
#include "support/FixedSeed.h"
#include "support/Noise.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::TempFolder;

constexpr std::uint32_t kSeed = 20240611;

PreviewSettings FileSettings(const std::string& file, std::uint8_t method)
{
    PreviewSettings settings;
    settings.FileSelectType = kSourceImageFile;
    settings.FileName = file;
    settings.TransMethod = method;
    settings.SizeXText = "64";
    settings.SizeYText = "64";
    settings.RotateNum = 5;
    return settings;
}

TEST(PreviewModelTest, TileIsTheOneARunWritesForTheSameDraws)
{
    const TempFolder folder;
    const std::string source = folder / "source.png";
    SavePng(test::Noise(300, 200), source);
    for (const std::uint8_t method : {1, 2, 3, 4, 5, 6, 7, 10}) {
        SCOPED_TRACE(static_cast<int>(method));
        PreviewSettings settings = FileSettings(source, method);
        settings.ShuffleFlag = true;
        settings.ShadeOffFlag = true;
        settings.BrightnessFlag = true;
        if (method == 5) {
            settings.SizeXText = "96";
        }

        RecordingPlatform platform;
        {
            const test::FixedSeed seed(kSeed);
            MakeImages(platform, {.Count = 1,
                                  .TransMethod = method,
                                  .FileName = source,
                                  .SizeX = method == 5 ? 96 : 64,
                                  .SizeY = 64,
                                  .Prefix = "tile",
                                  .ImageType = 2,
                                  .Quality = 50,
                                  .ShuffleFlag = true,
                                  .ShadeOffFlag = true,
                                  .BrightnessFlag = true,
                                  .OutDirectory = folder.Path() + "/",
                                  .RotateNum = 5,
                                  .FileSelectType = kSourceImageFile,
                                  .EncoderThreads = 1});
        }
        const Image written = LoadImageFile(folder / "tile001.png");

        // The shuffle of Prepare reseeds the program's generator; the preview's
        // positions come from its own, which starts at the same seed here.
        const test::FixedSeed seed(kSeed);
        TPreviewModel preview(kSeed);
        const PreviewTile tile = preview.Make(settings, nullptr);
        ASSERT_TRUE(tile.Ok()) << tile.Problem;
        EXPECT_EQ(tile.Tile, written);
    }
}

TEST(PreviewModelTest, ProblemsAreTheRunsTextsAndTheNextGoodSettingsShowATile)
{
    const TempFolder folder;
    const std::string source = folder / "small.png";
    SavePng(test::Noise(80, 40), source);
    TPreviewModel preview(1);

    EXPECT_EQ(preview.Make(FileSettings(folder / "none.png", 1), nullptr).Problem,
              "ファイルが見つかりません\r\n" + folder / "none.png");
    EXPECT_EQ(preview.Make(FileSettings(source, 1), nullptr).Problem,
              ErrorReportText(kErrSourceTooSmall, ""));
    PreviewSettings large = FileSettings(source, 1);
    large.SizeXText = large.SizeYText = "300";
    EXPECT_EQ(preview.Make(large, nullptr).Problem, ErrorReportText(kErrCutTooLarge, ""));
    PreviewSettings odd = FileSettings(source, 1);
    odd.SizeYText = "33";
    EXPECT_EQ(preview.Make(odd, nullptr).Problem, "サイズの指定が不正です");
    PreviewSettings plugin = FileSettings(source, 9);
    plugin.DllName = folder / "none.so";
    EXPECT_FALSE(preview.Make(plugin, nullptr).Ok());
    EXPECT_EQ(preview.Make(FileSettings(source, 6), nullptr).Problem,
              ErrorReportText(kErrSourceTooSmall, ""));
    PreviewSettings clipboard = FileSettings(source, 1);
    clipboard.FileSelectType = kSourceClipboard;
    EXPECT_EQ(preview.Make(clipboard, nullptr).Problem, "クリップボードから画像を取得できません。");

    PreviewSettings fits = FileSettings(source, 6);
    fits.SizeYText = fits.SizeXText = "32";
    const PreviewTile tile = preview.Make(fits, std::make_shared<const Image>(test::Noise(8, 8)));
    ASSERT_TRUE(tile.Ok()) << tile.Problem;
    EXPECT_EQ(tile.Tile.Width(), 32);
    EXPECT_LT(tile.Draw.X0, 80 - 32);
    EXPECT_LT(tile.Draw.Y0, 40 - 32 + 1);
}

TEST(PreviewModelTest, ThePicturesColourWarningComesWithTheTile)
{
    const TempFolder folder;
    SaveJpeg(test::Noise(100, 80), folder / "junk.jpg", 90,
             ColourTag{false, std::vector<std::uint8_t>(300, 7)});
    TPreviewModel preview(kSeed);
    PreviewSettings settings = FileSettings(folder / "junk.jpg", 1);
    const PreviewTile converted = preview.Make(settings, nullptr);
    ASSERT_TRUE(converted.Ok()) << converted.Problem;
    EXPECT_EQ(converted.Warnings, std::vector<std::string>{"色プロファイルを読めないため、変換しません"});
    settings.ExtendedSettings.ColourConvert = false;
    const PreviewTile raw = preview.Make(settings, nullptr);
    EXPECT_TRUE(raw.Warnings.empty());
    EXPECT_EQ(raw.Tile, converted.Tile);
}

}  // namespace
}  // namespace qm
