// SPDX-License-Identifier: MIT
#include "app/run/SourceImages.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingPlatform.h"
#include "core/Errors.h"
#include "imageio/ImageFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::TempFolder;

namespace {

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testimgint.jpg";

std::string MessageOf(RecordingPlatform& platform, std::uint8_t type, const std::string& file = "",
                      const std::string& folder = "")
{
    try {
        LoadSourceImage(platform, type, file, folder);
    } catch (const ErrorMessage& e) {
        return e.what();
    }
    return "";
}

TEST(SourceImages, ClipboardPictureIsTakenAndAnEmptyClipboardIsRefused)
{
    RecordingPlatform platform;
    EXPECT_EQ(MessageOf(platform, kSourceClipboard), "クリップボードから画像を取得できません。");

    Image picture(3, 2);
    picture.Pixel(2, 1)[0] = 200;
    platform.clipboard = picture;
    EXPECT_EQ(LoadSourceImage(platform, kSourceClipboard, "", ""), picture);
}

TEST(SourceImages, FileAndFolderSourcesReadTheirPictures)
{
    RecordingPlatform platform;
    TempFolder folder;
    folder.CopyIn(kJpeg, "c.gif");
    folder.CopyIn(kJpeg, "d.jpeg");
    const Image expected = LoadImageFile(kJpeg);

    EXPECT_EQ(LoadSourceImage(platform, kSourceImageFile, folder / "d.jpeg", ""), expected);
    EXPECT_EQ(MessageOf(platform, kSourceImageFile, folder / "c.gif"),
              "拡張子 .gif の画像形式は処理できません");

    // The folder source skips c.gif and so always takes d.jpeg.
    EXPECT_EQ(LoadSourceImage(platform, kSourceFolder, "", folder.Path()), expected);
    std::filesystem::remove(folder / "d.jpeg");
    EXPECT_EQ(MessageOf(platform, kSourceFolder, "", folder.Path()), "イメージファイルが存在しません。");
}

TEST(SourceImages, UnknownSourceKindIsRefused)
{
    RecordingPlatform platform;
    EXPECT_EQ(MessageOf(platform, 3), "FileSelectType invalid.");
}

}  // namespace
}  // namespace qm
