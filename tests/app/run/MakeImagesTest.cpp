// SPDX-License-Identifier: MIT
#include "app/run/UMake.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "RecordingPlatform.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Random.h"
#include "effects/EffectLib.h"
#include "effects/ImageEffect.h"
#include "engine/UmuRotateCompress.h"
#include "imageio/ImageFiles.h"
#include "support/FixedSeed.h"
#include "support/Noise.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::NamesIn;
using test::TempFolder;

namespace {

// The sixteen inputs of a run, with the values most tests share: one BMP
// of the no-conversion method (its tile is the piece itself) from the
// clipboard picture.
struct RunInputs {
    std::int32_t Count = 1;
    std::uint8_t TransMethod = 6;
    std::string FileName;
    std::string FolderName;
    std::int32_t SizeX = 32;
    std::int32_t SizeY = 32;
    std::string Prefix = "image";
    std::uint8_t ImageType = 0;
    std::uint8_t Quality = 75;
    bool ShuffleFlag = false;
    bool ShadeOffFlag = false;
    bool BrightnessFlag = false;
    std::string DllName;
    std::string OutDirectory;
    std::int32_t RotateNum = 3;
    std::uint8_t FileSelectType = 2;
};

void MakeRun(RecordingPlatform& platform, const RunInputs& in, const ExtendedSettings& extended = {})
{
    MakeImages(platform, {.Count = in.Count,
                          .TransMethod = in.TransMethod,
                          .FileName = in.FileName,
                          .FolderName = in.FolderName,
                          .SizeX = in.SizeX,
                          .SizeY = in.SizeY,
                          .Prefix = in.Prefix,
                          .ImageType = in.ImageType,
                          .Quality = in.Quality,
                          .ShuffleFlag = in.ShuffleFlag,
                          .ShadeOffFlag = in.ShadeOffFlag,
                          .BrightnessFlag = in.BrightnessFlag,
                          .DllName = in.DllName,
                          .OutDirectory = in.OutDirectory,
                          .RotateNum = in.RotateNum,
                          .FileSelectType = in.FileSelectType,
                          .EncoderThreads = 0,
                          .ExtendedSettings = extended});
}

// The text of the ErrorMessage a run ends with; empty when it ends otherwise.
std::string RunMessage(RecordingPlatform& platform, const RunInputs& in)
{
    try {
        MakeRun(platform, in);
    } catch (const ErrorMessage& e) {
        return e.what();
    }
    return "";
}

Image Cut(const Image& source, int x, int y, int width, int height)
{
    Image piece(width, height);
    piece.CopyRect(0, 0, source, Rect{x, y, width, height});
    return piece;
}

// Runs from the working folder of the object's life.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& folder) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous_;
};

TEST(MakeImages, NamesTheFilesByPrefixAndThreeDigitNumber)
{
    RecordingPlatform platform;
    platform.clipboard = test::Noise(40, 40);
    TempFolder out;

    RunInputs in;
    in.Count = 100;
    in.Prefix = "";
    in.OutDirectory = out.Path() + "/";
    MakeRun(platform, in);
    const std::vector<std::string> names = NamesIn(out.Path());
    ASSERT_EQ(names.size(), 100u);
    EXPECT_EQ(names.front(), "001.bmp");
    EXPECT_EQ(names[41], "042.bmp");
    EXPECT_EQ(names.back(), "100.bmp");

    TempFolder single;
    in.Count = 1;
    in.Prefix = "tile_";
    in.ImageType = 2;
    in.OutDirectory = single.Path() + "/";
    MakeRun(platform, in);
    EXPECT_EQ(NamesIn(single.Path()), std::vector<std::string>{"tile_001.png"});
    EXPECT_TRUE(platform.errorBoxes.empty());
}

TEST(MakeImages, EmptyOutputFolderWritesIntoTheWorkingFolder)
{
    RecordingPlatform platform;
    platform.clipboard = test::Noise(32, 32);
    TempFolder here;
    {
        WorkingFolder cd(here.Path());
        RunInputs in;
        in.Count = 2;
        in.ImageType = 1;
        MakeRun(platform, in);
    }
    EXPECT_EQ(NamesIn(here.Path()), (std::vector<std::string>{"image001.jpg", "image002.jpg"}));
}

TEST(MakeImages, PiecesAreCutAtTheReplayedRandomPositions)
{
    const test::FixedSeed seed(20240611);
    RecordingPlatform platform;
    const Image source = test::Noise(70, 45);
    platform.clipboard = source;
    TempFolder out;

    RunInputs in;
    in.Count = 12;
    in.OutDirectory = out.Path() + "/";
    MakeRun(platform, in);

    rng::Reseed();
    std::set<std::pair<int, int>> positions;
    for (int i = 1; i <= in.Count; ++i) {
        const int x0 = static_cast<int>(rng::Random(70 - 32));
        const int y0 = static_cast<int>(rng::Random(45 - 32));
        positions.emplace(x0, y0);
        const std::string name = out / Format("image%.3d.bmp", {i});
        EXPECT_EQ(LoadImageFile(name), Cut(source, x0, y0, 32, 32)) << name;
    }
    EXPECT_GT(positions.size(), 1u);
}

TEST(MakeImages, SourceOfTheCutSizeOrOneWiderGivesTheTopLeftPiece)
{
    RecordingPlatform platform;
    TempFolder out;
    RunInputs in;
    in.Count = 8;
    in.ImageType = 2;
    in.OutDirectory = out.Path() + "/";

    // dx = dy = 0: every piece is the whole source.
    const Image exact = test::Noise(32, 32, 7);
    platform.clipboard = exact;
    MakeRun(platform, in);
    for (const std::string& name : NamesIn(out.Path())) {
        EXPECT_EQ(LoadImageFile(out / name), exact) << name;
    }

    // dx = 1: Random(1) is always 0, so the last column is never reached.
    const Image wider = test::Noise(33, 32, 8);
    platform.clipboard = wider;
    MakeRun(platform, in);
    for (const std::string& name : NamesIn(out.Path())) {
        EXPECT_EQ(LoadImageFile(out / name), Cut(wider, 0, 0, 32, 32)) << name;
    }
}

TEST(MakeImages, BlurIsAppliedOnceToTheSource)
{
    const test::FixedSeed seed(99);
    RecordingPlatform platform;
    const Image source = test::Noise(48, 40);
    platform.clipboard = source;
    TempFolder out;

    RunInputs in;
    in.Count = 4;
    in.ShadeOffFlag = true;
    in.ImageType = 2;
    in.OutDirectory = out.Path() + "/";
    MakeRun(platform, in);

    Image blurred = source;
    Blur(blurred);
    rng::Reseed();
    for (const std::string& name : NamesIn(out.Path())) {
        const int x0 = static_cast<int>(rng::Random(48 - 32));
        const int y0 = static_cast<int>(rng::Random(40 - 32));
        EXPECT_EQ(LoadImageFile(out / name), Cut(blurred, x0, y0, 32, 32)) << name;
    }
}

TEST(MakeImages, SkippingFlatPiecesLeavesTheTilesOfADetailedPictureAlone)
{
    RecordingPlatform platform;
    platform.clipboard = test::Noise(160, 120, 5);
    ExtendedSettings skip;
    skip.SkipFlat = true;
    std::vector<std::string> tiles[2];
    for (const bool skipFlat : {false, true}) {
        const test::FixedSeed seed(31);
        TempFolder out;
        RunInputs in;
        in.Count = 8;
        in.BrightnessFlag = true;
        in.OutDirectory = out.Path() + "/";
        MakeRun(platform, in, skipFlat ? skip : ExtendedSettings{});
        for (const std::string& name : NamesIn(out.Path())) {
            tiles[skipFlat].push_back(FileBytes(out / name));
        }
    }
    EXPECT_EQ(tiles[0].size(), 8u);
    EXPECT_EQ(tiles[1], tiles[0]);
}

TEST(MakeImages, BrightnessIsDrawnAnewForEveryPiece)
{
    const test::FixedSeed seed(4711);
    RecordingPlatform platform;
    // A flat grey source: every piece is the same, only its brightness differs.
    Image source(32, 32);
    std::fill(source.Row(0), source.Row(0) + 3 * 32 * 32, std::uint8_t{128});
    platform.clipboard = source;
    TempFolder out;

    RunInputs in;
    in.Count = 6;
    in.BrightnessFlag = true;
    in.ImageType = 2;
    in.OutDirectory = out.Path() + "/";
    MakeRun(platform, in);

    rng::Reseed();
    std::set<std::uint8_t> levels;
    for (const std::string& name : NamesIn(out.Path())) {
        EXPECT_EQ(rng::Random(0), 0u);
        EXPECT_EQ(rng::Random(0), 0u);
        const double f = rng::RandomFraction();
        TImageEffect effect;
        effect.SetSource(source);
        effect.ChangeBrightness(f * 0.5 - 0.25);
        const Image tile = LoadImageFile(out / name);
        EXPECT_EQ(tile, effect.GetResult()) << name;
        levels.insert(tile.Pixel(0, 0)[0]);
    }
    EXPECT_GT(levels.size(), 1u);
}

TEST(MakeImages, MethodCodesReachTheirMakersWithTheirSettings)
{
    RecordingPlatform platform;
    const Image source = test::Noise(64, 64, 3);
    platform.clipboard = source;
    TempFolder out;

    RunInputs in;
    in.TransMethod = 10;
    in.SizeX = in.SizeY = 64;
    in.ImageType = 2;
    in.RotateNum = 5;
    in.OutDirectory = out.Path() + "/";
    MakeRun(platform, in);

    TRotateCompress direct;
    direct.RotateNum = 5;
    ASSERT_TRUE(direct.Prepare(TPoint{64, 64}, false));
    ASSERT_TRUE(direct.Make(source));
    EXPECT_EQ(LoadImageFile(out / "image001.png"), direct.ResultImage());

    // The plug-in maker gets the library path before Prepare.
    in.TransMethod = 9;
    in.DllName = out / "missing.so";
    EXPECT_THROW(MakeRun(platform, in), SilentStop);
    ASSERT_EQ(platform.errorBoxes.size(), 1u);
    EXPECT_EQ(platform.errorBoxes[0], "DLLの呼び出しに失敗しました。:7\r\nファイル[" + in.DllName + "]");
}

TEST(MakeImages, RefusalsReportOnceAndWriteNothing)
{
    RecordingPlatform platform;
    TempFolder out;
    RunInputs in;
    in.OutDirectory = out.Path() + "/";

    const auto refused = [&](const RunInputs& inputs, const Image& source) {
        platform.errorBoxes.clear();
        platform.clipboard = source;
        EXPECT_THROW(MakeRun(platform, inputs), SilentStop);
        EXPECT_TRUE(NamesIn(out.Path()).empty());
        return platform.errorBoxes.size() == 1 ? platform.errorBoxes[0] : "?";
    };

    for (const std::uint8_t code : {0, 8, 11, 255}) {
        RunInputs bad = in;
        bad.TransMethod = code;
        EXPECT_EQ(refused(bad, test::Noise(40, 40)), "変換方式が不正です。:6") << int{code};
    }

    RunInputs small = in;
    small.TransMethod = 1;
    small.SizeX = small.SizeY = 30;
    EXPECT_EQ(refused(small, test::Noise(40, 40)), "切り出した画像が小さすぎます。:2");

    // The no-conversion maker accepts a side of 0 next to a long one, but
    // no piece can be cut with it.
    RunInputs empty = in;
    empty.SizeX = 0;
    empty.SizeY = 64;
    EXPECT_EQ(refused(empty, test::Noise(80, 80)), "切り出した画像が小さすぎます。:2");

    const std::string sourceTooSmall =
        "元の画像が小さすぎます。\r\n(もっと大きな画像を設定してください):5";
    EXPECT_EQ(refused(in, test::Noise(31, 40)), sourceTooSmall);
    EXPECT_EQ(refused(in, test::Noise(40, 31)), sourceTooSmall);
    EXPECT_EQ(refused(in, Image()), sourceTooSmall);
}

// Plug-ins name cells of pieces up to 256 pixels, also with large cuts on;
// the library is not even started for a larger cut.
TEST(MakeImages, PluginRunWithALargeCutIsRefused)
{
    RecordingPlatform platform;
    TempFolder out;
    RunInputs in;
    in.OutDirectory = out.Path() + "/";
    in.TransMethod = 9;
    in.DllName = out.Path() + "/missing.so";
    in.SizeX = in.SizeY = 258;
    platform.clipboard = test::Noise(300, 300);
    ExtendedSettings large;
    large.LargeCuts = true;
    EXPECT_THROW(MakeRun(platform, in, large), SilentStop);
    ASSERT_EQ(platform.errorBoxes.size(), 1u);
    EXPECT_EQ(platform.errorBoxes[0],
              "切り出した画像が大きすぎます。:1\r\n外部変換で切り抜けるサイズは256までです。");
    EXPECT_TRUE(NamesIn(out.Path()).empty());
}

TEST(MakeImages, FilesRecordTheResolutionOfTheSettings)
{
    RecordingPlatform platform;
    TempFolder out;
    RunInputs in;
    in.OutDirectory = out.Path() + "/";
    platform.clipboard = test::Noise(40, 40);
    ExtendedSettings settings;
    settings.Dpi = true;
    settings.DpiValue = 254;
    MakeRun(platform, in, settings);
    const std::string file = FileBytes(out.Path() + "/image001.bmp");
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file.substr(38, 8), std::string("\x10\x27\0\0\x10\x27\0\0", 8));
}

TEST(MakeImages, RunFailuresCarryTheirMessagesAndKeepEarlierFiles)
{
    RecordingPlatform platform;
    TempFolder out;
    RunInputs in;
    in.OutDirectory = out.Path() + "/";
    in.Count = 5;

    in.FileSelectType = 3;
    EXPECT_EQ(RunMessage(platform, in), "FileSelectType invalid.");
    in.FileSelectType = 2;
    EXPECT_EQ(RunMessage(platform, in), "クリップボードから画像を取得できません。");
    in.FileSelectType = 1;
    in.FolderName = out.Path();
    EXPECT_EQ(RunMessage(platform, in), "イメージファイルが存在しません。");
    // The source is read before the method code is looked at.
    in.FileSelectType = 0;
    in.FileName = out / "missing.bmp";
    in.TransMethod = 0;
    EXPECT_EQ(RunMessage(platform, in),
              "ファイル \"" + in.FileName + "\". No such file or directory は開けません");
    EXPECT_TRUE(platform.errorBoxes.empty());
    EXPECT_TRUE(NamesIn(out.Path()).empty());

    in.FileSelectType = 2;
    in.TransMethod = 6;
    platform.clipboard = test::Noise(40, 40);
    RunInputs gone = in;
    gone.OutDirectory = out / "gone/";
    EXPECT_EQ(RunMessage(platform, gone),
              "ファイル \"" + gone.OutDirectory + "image001.bmp\". No such file or directory を作成できません");

    // A folder in the place of the third file stops the run there.
    std::filesystem::create_directory(out / "image003.bmp");
    EXPECT_EQ(RunMessage(platform, in),
              "ファイル \"" + in.OutDirectory + "image003.bmp\". Is a directory を作成できません");
    EXPECT_EQ(NamesIn(out.Path()),
              (std::vector<std::string>{"image001.bmp", "image002.bmp", "image003.bmp"}));
    EXPECT_TRUE(std::filesystem::is_directory(out / "image003.bmp"));
    EXPECT_TRUE(platform.errorBoxes.empty());
}

TEST(MakeImages, OutputFilesHaveTheirFormatWhateverTheSourceDepth)
{
    RecordingPlatform platform;
    TempFolder out;
    RunInputs in;
    in.FileSelectType = 0;
    in.OutDirectory = out.Path() + "/";

    for (const char* source : {"bmpsuite/images/rgb32.bmp", "bmpsuite/images/Core_1_Bit.bmp",
                               "bmpsuite/images/rgb16-565.bmp", "pngsuite/basn0g01.png",
                               "pngsuite/basn6a16.png"}) {
        in.FileName = std::string(QM_FIXTURES) + "/" + source;
        MakeRun(platform, in);
        const std::string bmp = FileBytes(out / "image001.bmp");
        ASSERT_GE(bmp.size(), 54u) << source;
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<unsigned char>(bmp[28]) | static_cast<unsigned char>(bmp[29]) << 8, 24)
            << source;
        EXPECT_EQ(bmp.size(), 54u + 32 * 32 * 3) << source;
    }

    // JPEG quality reaches the encoder; PNG keeps the tile exactly.
    in.FileSelectType = 2;
    const Image source = test::Noise(32, 32, 5);
    platform.clipboard = source;
    in.ImageType = 1;
    in.Quality = 10;
    MakeRun(platform, in);
    const auto low = std::filesystem::file_size(out / "image001.jpg");
    in.Quality = 100;
    MakeRun(platform, in);
    EXPECT_GT(std::filesystem::file_size(out / "image001.jpg"), low);
    EXPECT_EQ(LoadImageFile(out / "image001.jpg").Width(), 32);

    in.ImageType = 2;
    MakeRun(platform, in);
    EXPECT_EQ(LoadImageFile(out / "image001.png"), source);
    EXPECT_EQ(FileBytes(out / "image001.png").substr(1, 3), "PNG");
}

}  // namespace
}  // namespace qm
