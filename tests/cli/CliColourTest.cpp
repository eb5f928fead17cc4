// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include "CliProcess.h"
#include "imageio/ImageFiles.h"
#include "imageio/JpegWriter.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::TempFolder;

namespace {

namespace fs = std::filesystem;

// 97 x 65 pixels with an Adobe RGB compatible profile.
const std::string kTagged = std::string(QM_FIXTURES) + "/formats/AdobeRGB-compatible.tif";
// 32 x 32 pixels with graded alpha.
const std::string kAlpha = std::string(QM_FIXTURES) + "/formats/alpha.png";

// A run of the no-conversion method whose one tile is the top left 96 x 64
// pixels of the picture as the run decoded it.
std::vector<std::string> WholeCut(const std::string& file, const std::string& out,
                                  std::vector<std::string> extra)
{
    std::vector<std::string> arguments{"--file", file,      "--method", "none", "--size",
                                       "64",     "--width", "96",       "--out", out};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
}

Image TopLeft(const Image& picture, int width, int height)
{
    Image cut(width, height);
    cut.CopyRect(0, 0, picture, Rect{0, 0, width, height});
    return cut;
}

bool HasChunk(const std::string& png, const std::string& type)
{
    return png.find(type) != std::string::npos;
}

}  // namespace

TEST(CliColour, ATaggedPictureIsConvertedUnlessAskedNotToAndTheTilesAreTaggedOnRequest)
{
    TempFolder work;
    for (const char* folder : {"on", "off", "tags", "kept"}) {
        fs::create_directories(work / folder);
    }
    DecodeOptions toSrgb;
    toSrgb.Colour = ColourHandling::ToSrgb;
    const Image converted = TopLeft(LoadPictureFile(kTagged, toSrgb).Picture, 96, 64);
    const Image raw = TopLeft(LoadImageFile(kTagged), 96, 64);
    ASSERT_FALSE(converted == raw);

    const CliResult on = RunCliProgram(WholeCut(kTagged, "on", {"--format", "png"}), work.Path());
    ASSERT_EQ(on.exitCode, 0) << on.err;
    EXPECT_EQ(LoadImageFile(work / "on/image001.png"), converted);
    const std::string plain = FileBytes(work / "on/image001.png");
    EXPECT_FALSE(HasChunk(plain, "sRGB") || HasChunk(plain, "iCCP"));

    const CliResult off = RunCliProgram(
        WholeCut(kTagged, "off", {"--format", "png", "--no-color-convert"}), work.Path());
    ASSERT_EQ(off.exitCode, 0) << off.err;
    EXPECT_EQ(LoadImageFile(work / "off/image001.png"), raw);

    const CliResult tags = RunCliProgram(
        WholeCut(kTagged, "tags", {"--format", "png", "--color-tags"}), work.Path());
    ASSERT_EQ(tags.exitCode, 0) << tags.err;
    EXPECT_EQ(LoadImageFile(work / "tags/image001.png"), converted);
    EXPECT_TRUE(HasChunk(FileBytes(work / "tags/image001.png"), "sRGB"));

    // The source's own profile travels with its unconverted colours.
    const CliResult kept = RunCliProgram(
        WholeCut(kTagged, "kept", {"--format", "jpeg", "--quality", "100", "--keep-profile"}),
        work.Path());
    ASSERT_EQ(kept.exitCode, 0) << kept.err;
    const DecodedPicture keptTile = LoadPictureFile(work / "kept/image001.jpg", toSrgb);
    EXPECT_TRUE(keptTile.ColourConverted);
    EXPECT_EQ(keptTile.ProfileSha256, LoadPictureFile(kTagged, toSrgb).ProfileSha256);

    const CliResult both = RunCliProgram(
        WholeCut(kTagged, "kept", {"--color-tags", "--keep-profile"}), work.Path());
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_NE(both.err.find("--keep-profile"), std::string::npos) << both.err;
}

TEST(CliColour, AProfileThatCannotBeReadIsNamedOnceOnStandardError)
{
    TempFolder work;
    const std::vector<std::uint8_t> junk =
        EncodeJpeg(Image(64, 64), 90, 0, ColourTag{false, std::vector<std::uint8_t>(300, 7)});
    work.Write("junk.jpg", std::string(junk.begin(), junk.end()));
    const CliResult result = RunCliProgram({"--file", "junk.jpg", "--count", "2"}, work.Path());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "色プロファイルを読めないため、変換しません\n");
    const CliResult english = RunCliProgram({"--file", "junk.jpg"}, work.Path(),
                                            {{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "en_US.UTF-8"}});
    EXPECT_EQ(english.err, "the colour profile cannot be read; colours are not converted\n");
    const CliResult raw = RunCliProgram({"--file", "junk.jpg", "--no-color-convert"}, work.Path());
    EXPECT_EQ(raw.exitCode, 0);
    EXPECT_EQ(raw.err, "");
}

TEST(CliColour, TransparentPartsAreLaidOnTheBackgroundColourGivenAsHexadecimal)
{
    TempFolder work;
    const auto run = [&](const std::string& folder, std::vector<std::string> extra) {
        fs::create_directories(work / folder);
        extra.insert(extra.end(), {"--file", kAlpha, "--method", "none", "--format", "png",
                                   "--out", folder});
        return RunCliProgram(extra, work.Path());
    };
    ASSERT_EQ(run("dropped", {}).exitCode, 0);
    ASSERT_EQ(run("green", {"--background", "#00FF00"}).exitCode, 0);
    const Image dropped = LoadImageFile(work / "dropped/image001.png");
    const Image green = LoadImageFile(work / "green/image001.png");
    EXPECT_EQ(dropped, TopLeft(LoadImageFile(kAlpha), 32, 32));
    EXPECT_FALSE(dropped == green);
    bool greener = false;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            greener = greener || green.Row(y)[3 * x + 1] > dropped.Row(y)[3 * x + 1];
        }
    }
    EXPECT_TRUE(greener);
    for (const char* bad : {"00ff00", "#00ff0", "#00ff00a", "#00gg00", "green"}) {
        const CliResult refused = run("refused", {"--background", bad});
        EXPECT_EQ(refused.exitCode, 2) << bad;
        EXPECT_NE(refused.err.find("透明部分の色は #rrggbb の形で指定して下さい。"), std::string::npos)
            << refused.err;
    }
    EXPECT_TRUE(fs::is_empty(work / "refused"));
}

TEST(CliColour, TiffTilesAreNamedTifEverywhereAndHoldTheTilesPixels)
{
    TempFolder work;
    fs::create_directories(work / "png");
    fs::create_directories(work / "tif");
    const std::vector<std::string> same{"--seed", "5", "--count", "2", "--size", "32"};
    const auto run = [&](const std::string& folder, std::vector<std::string> extra) {
        extra.insert(extra.end(), same.begin(), same.end());
        extra.insert(extra.end(), {"--file", kTagged, "--out", folder});
        return RunCliProgram(extra, work.Path());
    };
    ASSERT_EQ(run("png", {"--format", "png"}).exitCode, 0);
    const CliResult tiff = run("tif", {"--format", "TIFF", "--dpi", "300", "--color-tags", "--html",
                                       "--gallery", "--contact-sheet"});
    ASSERT_EQ(tiff.exitCode, 0) << tiff.err;
    for (const char* number : {"001", "002"}) {
        const std::string name = std::string("image") + number;
        EXPECT_EQ(LoadImageFile(work / ("tif/" + name + ".tif")),
                  LoadImageFile(work / ("png/" + name + ".png")));
        EXPECT_NE(FileBytes(work / "tif/list.html").find(name + ".tif"), std::string::npos);
        EXPECT_NE(FileBytes(work / "tif/gallery.html").find(name + ".tif"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_regular_file(work / "tif/imagesheet.png"));
    // --quality belongs to JPEG alone, as the window's disabled controls say.
    EXPECT_EQ(run("tif", {"--format", "tiff", "--quality", "80"}).exitCode, 2);
}

}  // namespace qm
