#include "app/SourceImages.h"

#include <gtest/gtest.h>

#include "RecordingPlatform.h"
#include "core/Errors.h"

namespace qm {
namespace {

std::string MessageOf(RecordingPlatform& platform, std::uint8_t type)
{
    try {
        LoadSourceImage(platform, type, "", "");
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

TEST(SourceImages, UnknownSourceKindIsRefused)
{
    RecordingPlatform platform;
    EXPECT_EQ(MessageOf(platform, 3), "FileSelectType invalid.");
}

}  // namespace
}  // namespace qm
