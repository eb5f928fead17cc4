// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>

#include <jerror.h>

#include "TestFiles.h"
#include "core/Errors.h"
#include "imageio/BmpReader.h"
#include "imageio/FileIo.h"
#include "imageio/ImageFiles.h"
#include "imageio/JpegReader.h"
#include "imageio/PngReader.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::NamesIn;
using test::TempFolder;

namespace fs = std::filesystem;

std::string LoadFailure(const std::string& path)
{
    try {
        LoadImageFile(path);
    } catch (const ErrorMessage& error) {
        return error.what();
    }
    return {};
}

std::string SaveFailure(const std::string& path)
{
    try {
        SaveBmp(test::Gradient(40, 40), path);
    } catch (const ErrorMessage& error) {
        return error.what();
    }
    return {};
}

TEST(ImageFiles, TheExtensionChoosesTheDecoder)
{
    TempFolder folder;
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder / "photo.JPG");
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder / "photo.jpeg");
    fs::copy_file(test::Fixture("pngsuite/basn2c08.png"), folder / "x.jpg");
    fs::copy_file(test::Fixture("pngsuite/basn2c08.png"), folder / "x.Png");
    fs::copy_file(test::Fixture("bmpsuite/images/rgb24.bmp"), folder / "y.BMP");
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder / "y.bmp");

    const Image photo = DecodeJpeg(test::ReadFixture("jpeg-bmp/testorig.jpg"));
    EXPECT_TRUE(LoadImageFile(folder / "photo.JPG") == photo);
    EXPECT_TRUE(LoadImageFile(folder / "photo.jpeg") == photo);
    EXPECT_EQ(LoadImageFile(folder / "x.Png").Width(), 32);
    EXPECT_EQ(LoadImageFile(folder / "y.BMP").Width(), 127);
    EXPECT_EQ(LoadFailure(folder / "x.jpg"), "JPEG エラー #" + std::to_string(JERR_NO_SOI));
    EXPECT_EQ(LoadFailure(folder / "y.bmp"), "ビットマップイメージが不正です");
}

TEST(ImageFiles, HeifWebpAndTiffByTheirExtensionsOrSignatures)
{
    TempFolder folder;
    const Image small = LoadImageFile(test::Fixture("formats/small.png"));
    const std::vector<std::pair<std::string, std::string>> copies = {
        {"formats/small.heic", "a.HEIC"}, {"formats/small.heic", "a.heif"},
        {"formats/small.avif", "b.Avif"}, {"formats/lossless.webp", "c.WebP"},
        {"formats/rgb-zip.tif", "d.TIF"},  {"formats/rgb-zip.tif", "d.tiff"},
    };
    for (const auto& [fixture, name] : copies) {
        SCOPED_TRACE(name);
        fs::copy_file(test::Fixture(fixture), folder / name);
        EXPECT_EQ(LoadImageFile(folder / name).Width(), small.Width());
    }
    // The folder's decoder chain finds them whatever their names say.
    fs::copy_file(test::Fixture("formats/lossless.webp"), folder / "e.png");
    fs::copy_file(test::Fixture("formats/rgb-zip.tif"), folder / "f.jpg");
    fs::copy_file(test::Fixture("formats/small.avif"), folder / "g.bmp");
    EXPECT_EQ(LoadFailure(folder / "e.png"), "PNG エラー: Not a PNG file");
    EXPECT_TRUE(LoadImageAnyFormat(folder / "e.png") == small);
    EXPECT_TRUE(LoadImageAnyFormat(folder / "f.jpg") == small);
    EXPECT_TRUE(LoadImageAnyFormat(folder / "g.bmp").has_value());
}

TEST(ImageFiles, OtherExtensionsAreRefusedAsTyped)
{
    TempFolder folder;
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder / "picture.gif");
    EXPECT_EQ(LoadFailure(folder / "picture.gif"), "拡張子 .gif の画像形式は処理できません");
    EXPECT_EQ(LoadFailure(folder / "Picture.GIF"), "拡張子 .GIF の画像形式は処理できません");
    EXPECT_EQ(LoadFailure(folder / "archive.png.txt"),
              "拡張子 .txt の画像形式は処理できません");
    EXPECT_EQ(LoadFailure(folder / "noextension"), "拡張子 . の画像形式は処理できません");
    EXPECT_EQ(LoadFailure("/some.dir/noextension"), "拡張子 . の画像形式は処理できません");
}

TEST(ImageFiles, UnreadableFilesNameTheFileAndTheReason)
{
    TempFolder folder;
    const std::string missing = folder / "missing.png";
    EXPECT_EQ(LoadFailure(missing),
              "ファイル \"" + missing + "\". " + std::strerror(ENOENT) + " は開けません");
    fs::create_directory(folder / "folder.bmp");
    EXPECT_EQ(LoadFailure(folder / "folder.bmp"), "ファイル \"" + (folder / "folder.bmp") +
                                                          "\". " + std::strerror(EISDIR) +
                                                          " は開けません");
    // A named pipe without a writer would block a plain read for ever.
    const std::string pipe = folder / "pipe.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(LoadFailure(pipe),
              "ファイル \"" + pipe + "\". " + std::strerror(EINVAL) + " は開けません");
    EXPECT_FALSE(LoadImageAnyFormat(pipe).has_value());
}

// Bytes this process has read from files so far.
std::int64_t BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value && key != "rchar:") {
    }
    return value;
}

TEST(ImageFiles, FilesClaimingMorePixelsThanTheyHoldAreRefused)
{
    // tests/fixtures/hostile/make-hostile.py writes these; each claims
    // 16384 x 16384 pixels.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"rle8-claims-16384.bmp", "ビットマップイメージが不正です"},
        {"png-claims-16384.png", "PNG エラー: Not enough image data"},
        {"jpeg-claims-16384.jpg", "JPEG エラー #" + std::to_string(JERR_INPUT_EOF)},
        {"jpeg-progressive-claims-16384.jpg", "JPEG エラー #" + std::to_string(JERR_INPUT_EOF)},
        {"tiff-claims-16384.tif", "TIFF エラー: Not enough image data"},
        {"webp-claims-16383.webp", "WebP エラー: Not enough image data"},
        {"heif-claims-16384.heic", "HEIF エラー: Not enough image data"},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        const std::string path = test::Fixture("hostile/" + name).string();
        EXPECT_EQ(LoadFailure(path), message);
        EXPECT_FALSE(LoadImageAnyFormat(path).has_value());
    }
}

TEST(ImageFiles, BmpHeadersAreCheckedBeforeTheRestIsRead)
{
    TempFolder folder;
    constexpr std::int64_t kTail = std::int64_t{1} << 30;  // sparse: reads as zeros
    // "BM" and a header size (41) no file has.
    const std::string bad = folder / "bad.bmp";
    folder.Write("bad.bmp", std::string("BM") + std::string(12, '\0') + "\x29");
    fs::resize_file(bad, kTail);
    // A good picture followed by a long tail that its rows do not reach.
    const std::string good = folder / "good.bmp";
    fs::copy_file(test::Fixture("bmpsuite/images/rgb24.bmp"), good);
    fs::resize_file(good, kTail);

    const std::int64_t before = BytesRead();
    EXPECT_EQ(LoadFailure(bad), "ビットマップイメージが不正です");
    EXPECT_FALSE(LoadImageAnyFormat(bad).has_value());
    const Image picture = LoadImageFile(good);
    const auto anyFormat = LoadImageAnyFormat(good);
    EXPECT_LT(BytesRead() - before, 1'000'000);
    const Image expected = DecodeBmp(test::ReadFixture("bmpsuite/images/rgb24.bmp"));
    EXPECT_TRUE(picture == expected);
    ASSERT_TRUE(anyFormat.has_value());
    EXPECT_TRUE(*anyFormat == expected);
}

TEST(ImageFiles, AnyFormatTriesEveryDecoderWhateverTheName)
{
    TempFolder folder;
    fs::copy_file(test::Fixture("pngsuite/basn2c08.png"), folder / "x.jpg");
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder / "y.png");
    fs::copy_file(test::Fixture("bmpsuite/images/rgb24.bmp"), folder / "z.jpeg");
    folder.Write("a.bmp", "not a picture");

    const auto png = LoadImageAnyFormat(folder / "x.jpg");
    ASSERT_TRUE(png.has_value());
    EXPECT_TRUE(*png == DecodePng(test::ReadFixture("pngsuite/basn2c08.png")));
    const auto jpeg = LoadImageAnyFormat(folder / "y.png");
    ASSERT_TRUE(jpeg.has_value());
    EXPECT_EQ(jpeg->Width(), 227);
    const auto bmp = LoadImageAnyFormat(folder / "z.jpeg");
    ASSERT_TRUE(bmp.has_value());
    EXPECT_EQ(bmp->Width(), 127);
    EXPECT_FALSE(LoadImageAnyFormat(folder / "a.bmp").has_value());
    EXPECT_FALSE(LoadImageAnyFormat(folder / "missing.bmp").has_value());
    EXPECT_FALSE(LoadImageAnyFormat(folder.Path()).has_value());
}

TEST(ImageFiles, SavedTilesReadBackAndReplaceOlderFiles)
{
    TempFolder folder;
    const Image tile = test::Gradient(62, 62);
    for (const char* name : {"t001.bmp", "t001.png", "t001.jpg"}) {
        folder.Write(name, "older file");
    }
    SaveBmp(tile, folder / "t001.bmp");
    SavePng(tile, folder / "t001.png");
    SaveJpeg(tile, folder / "t001.jpg", 100);
    EXPECT_TRUE(LoadImageFile(folder / "t001.bmp") == tile);
    EXPECT_TRUE(LoadImageFile(folder / "t001.png") == tile);
    EXPECT_EQ(LoadImageFile(folder / "t001.jpg").Width(), 62);
    SaveJpeg(tile, folder / "t002.jpg", 1);
    EXPECT_EQ(LoadImageFile(folder / "t002.jpg").Height(), 62);
    const std::vector<std::string> expected = {"t001.bmp", "t001.jpg", "t001.png", "t002.jpg"};
    EXPECT_EQ(NamesIn(folder.Path()), expected);
}

TEST(ImageFiles, FailedWritesLeaveNothingBehind)
{
    TempFolder folder;
    fs::create_directory(folder / "taken.bmp");
    EXPECT_EQ(SaveFailure(folder / "taken.bmp"), "ファイル \"" + (folder / "taken.bmp") +
                                                         "\". " + std::strerror(EISDIR) +
                                                         " を作成できません");
    const std::string nowhere = folder / "no/such/folder/t.bmp";
    EXPECT_EQ(SaveFailure(nowhere),
              "ファイル \"" + nowhere + "\". " + std::strerror(ENOENT) + " を作成できません");
    EXPECT_THROW(SavePng(Image(), folder / "empty.png"), ErrorMessage);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"taken.bmp"});
}

TEST(ImageFiles, AWriteCutShortKeepsTheOlderFile)
{
    TempFolder folder;
    const std::string path = folder / "t001.bmp";
    folder.Write("t001.bmp", "older file");

    // The file size limit stops the write half-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string message = SaveFailure(path);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(message, "ファイル \"" + path + "\". " + std::strerror(EFBIG) + " を作成できません");
    std::ifstream in(path);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "older file");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"t001.bmp"});
}

TEST(ImageFiles, AFileWrittenInTwoStepsAppearsOnlyWhenCommitted)
{
    TempFolder folder;
    const std::string path = folder / "t001.bmp";
    folder.Write("t001.bmp", "older file");
    const std::vector<std::uint8_t> bytes = {1, 2, 3};

    const std::string temporary = WriteTemporaryFile(path, bytes);
    EXPECT_EQ(fs::path(temporary).parent_path(), fs::path(path).parent_path());
    EXPECT_EQ(ReadWholeFile(path).size(), 10u);
    EXPECT_EQ(ReadWholeFile(temporary), bytes);
    CommitTemporaryFile(temporary, path);
    EXPECT_EQ(ReadWholeFile(path), bytes);

    const std::string discarded = WriteTemporaryFile(path, bytes);
    DiscardTemporaryFile(discarded);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"t001.bmp"});

    // A commit that cannot rename takes its temporary file away and names
    // the target as a one-step write would.
    fs::create_directory(folder / "taken.bmp");
    const std::string blocked = WriteTemporaryFile(folder / "taken.bmp", bytes);
    try {
        CommitTemporaryFile(blocked, folder / "taken.bmp");
        ADD_FAILURE() << "committed onto a folder";
    } catch (const ErrorMessage& error) {
        EXPECT_EQ(std::string(error.what()), SaveFailure(folder / "taken.bmp"));
    }
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"t001.bmp", "taken.bmp"}));
    EXPECT_EQ(SaveFailure(folder / "no/such/folder/t.bmp"),
              [&] {
                  try {
                      WriteTemporaryFile(folder / "no/such/folder/t.bmp", bytes);
                  } catch (const ErrorMessage& error) {
                      return std::string(error.what());
                  }
                  return std::string();
              }());
}

}  // namespace
}  // namespace qm
