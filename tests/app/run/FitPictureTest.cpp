// SPDX-License-Identifier: MIT
#include "app/run/FitPicture.h"

#include <gtest/gtest.h>

#include "RecordingPlatform.h"
#include "app/run/UMake.h"
#include "effects/ScaleDown.h"
#include "imageio/ImageFiles.h"
#include "support/FixedSeed.h"
#include "support/Noise.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

TEST(FitPicture, ShorterSideBecomesTheCutOverTheShareNeverLarger)
{
    EXPECT_EQ(FittedSize(4000, 3000, 256, 25), (PictureSize{1365, 1024}));
    EXPECT_EQ(FittedSize(3000, 4000, 256, 25), (PictureSize{1024, 1365}));
    EXPECT_EQ(FittedSize(5640, 3172, 128, 30), (PictureSize{759, 427}));
    // Already at or below the share: kept, never scaled up.
    EXPECT_FALSE(FittedSize(200, 300, 100, 50));
    EXPECT_FALSE(FittedSize(600, 400, 256, 25));
    EXPECT_EQ(FittedSize(201, 300, 100, 50), (PictureSize{200, 299}));

    const FittedPicture kept = FitPicture(test::Noise(60, 40), 40, 100);
    EXPECT_EQ(kept.Picture, test::Noise(60, 40));
    EXPECT_EQ(kept.Scale, 1.0);
}

// Runs three seeded no-conversion tiles of the file into out.
void MakeThreeTiles(const std::string& file, const std::string& out, const ExtendedSettings& extended)
{
    const test::FixedSeed seed(77);
    RecordingPlatform platform;
    MakeImages(platform, {.Count = 3,
                          .TransMethod = 6,
                          .FileName = file,
                          .SizeX = 32,
                          .SizeY = 32,
                          .Prefix = "t",
                          .ImageType = 2,
                          .Quality = 75,
                          .ShadeOffFlag = true,
                          .BrightnessFlag = true,
                          .OutDirectory = out + "/",
                          .RotateNum = 3,
                          .FileSelectType = 0,
                          .EncoderThreads = 1,
                          .ExtendedSettings = extended});
}

TEST(FitPicture, RunOnTheFittedPictureEqualsRunOnOneScaledBeforehand)
{
    test::TempFolder folder;
    const Image photo = test::Noise(400, 300);
    SavePng(photo, folder / "photo.png");
    SavePng(ScaleDown(photo, 171, 128), folder / "scaled.png");
    EXPECT_DOUBLE_EQ(FitPicture(photo, 32, 25).Scale, 128.0 / 300.0);

    test::TempFolder fitted;
    test::TempFolder scaled;
    ExtendedSettings fit;
    fit.Fit = true;
    fit.FitPercent = 25;
    MakeThreeTiles(folder / "photo.png", fitted.Path(), fit);
    MakeThreeTiles(folder / "scaled.png", scaled.Path(), {});
    for (const char* name : {"t001.png", "t002.png", "t003.png"}) {
        EXPECT_EQ(LoadImageFile(fitted / name), LoadImageFile(scaled / name)) << name;
    }
}

}  // namespace
}  // namespace qm
