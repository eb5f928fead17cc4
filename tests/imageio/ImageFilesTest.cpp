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

namespace qm {
namespace {

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

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(ImageFiles, TheExtensionChoosesTheDecoder)
{
    test::TemporaryFolder folder;
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder.File("photo.JPG"));
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder.File("photo.jpeg"));
    fs::copy_file(test::Fixture("pngsuite/basn2c08.png"), folder.File("x.jpg"));
    fs::copy_file(test::Fixture("pngsuite/basn2c08.png"), folder.File("x.Png"));
    fs::copy_file(test::Fixture("bmpsuite/images/rgb24.bmp"), folder.File("y.BMP"));
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder.File("y.bmp"));

    const Image photo = DecodeJpeg(test::ReadFixture("jpeg-bmp/testorig.jpg"));
    EXPECT_TRUE(LoadImageFile(folder.File("photo.JPG")) == photo);
    EXPECT_TRUE(LoadImageFile(folder.File("photo.jpeg")) == photo);
    EXPECT_EQ(LoadImageFile(folder.File("x.Png")).Width(), 32);
    EXPECT_EQ(LoadImageFile(folder.File("y.BMP")).Width(), 127);
    EXPECT_EQ(LoadFailure(folder.File("x.jpg")), "JPEG エラー #" + std::to_string(JERR_NO_SOI));
    EXPECT_EQ(LoadFailure(folder.File("y.bmp")), "ビットマップイメージが不正です");
}

TEST(ImageFiles, OtherExtensionsAreRefusedAsTyped)
{
    test::TemporaryFolder folder;
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder.File("picture.gif"));
    EXPECT_EQ(LoadFailure(folder.File("picture.gif")), "拡張子 .gif の画像形式は処理できません");
    EXPECT_EQ(LoadFailure(folder.File("Picture.GIF")), "拡張子 .GIF の画像形式は処理できません");
    EXPECT_EQ(LoadFailure(folder.File("archive.png.txt")),
              "拡張子 .txt の画像形式は処理できません");
    EXPECT_EQ(LoadFailure(folder.File("noextension")), "拡張子 . の画像形式は処理できません");
    EXPECT_EQ(LoadFailure("/some.dir/noextension"), "拡張子 . の画像形式は処理できません");
}

TEST(ImageFiles, UnreadableFilesNameTheFileAndTheReason)
{
    test::TemporaryFolder folder;
    const std::string missing = folder.File("missing.png");
    EXPECT_EQ(LoadFailure(missing),
              "ファイル \"" + missing + "\". " + std::strerror(ENOENT) + " は開けません");
    fs::create_directory(folder.File("folder.bmp"));
    EXPECT_EQ(LoadFailure(folder.File("folder.bmp")), "ファイル \"" + folder.File("folder.bmp") +
                                                          "\". " + std::strerror(EISDIR) +
                                                          " は開けません");
    // A named pipe without a writer would block a plain read for ever.
    const std::string pipe = folder.File("pipe.png");
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
    test::TemporaryFolder folder;
    constexpr std::int64_t kTail = std::int64_t{1} << 30;  // sparse: reads as zeros
    // "BM" and a header size (41) no file has.
    const std::string bad = folder.File("bad.bmp");
    WriteText(bad, std::string("BM") + std::string(12, '\0') + "\x29");
    fs::resize_file(bad, kTail);
    // A good picture followed by a long tail that its rows do not reach.
    const std::string good = folder.File("good.bmp");
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
    test::TemporaryFolder folder;
    fs::copy_file(test::Fixture("pngsuite/basn2c08.png"), folder.File("x.jpg"));
    fs::copy_file(test::Fixture("jpeg-bmp/testorig.jpg"), folder.File("y.png"));
    fs::copy_file(test::Fixture("bmpsuite/images/rgb24.bmp"), folder.File("z.jpeg"));
    WriteText(folder.File("a.bmp"), "not a picture");

    const auto png = LoadImageAnyFormat(folder.File("x.jpg"));
    ASSERT_TRUE(png.has_value());
    EXPECT_TRUE(*png == DecodePng(test::ReadFixture("pngsuite/basn2c08.png")));
    const auto jpeg = LoadImageAnyFormat(folder.File("y.png"));
    ASSERT_TRUE(jpeg.has_value());
    EXPECT_EQ(jpeg->Width(), 227);
    const auto bmp = LoadImageAnyFormat(folder.File("z.jpeg"));
    ASSERT_TRUE(bmp.has_value());
    EXPECT_EQ(bmp->Width(), 127);
    EXPECT_FALSE(LoadImageAnyFormat(folder.File("a.bmp")).has_value());
    EXPECT_FALSE(LoadImageAnyFormat(folder.File("missing.bmp")).has_value());
    EXPECT_FALSE(LoadImageAnyFormat(folder.Path().string()).has_value());
}

TEST(ImageFiles, SavedTilesReadBackAndReplaceOlderFiles)
{
    test::TemporaryFolder folder;
    const Image tile = test::Gradient(62, 62);
    for (const char* name : {"t001.bmp", "t001.png", "t001.jpg"}) {
        WriteText(folder.File(name), "older file");
    }
    SaveBmp(tile, folder.File("t001.bmp"));
    SavePng(tile, folder.File("t001.png"));
    SaveJpeg(tile, folder.File("t001.jpg"), 100);
    EXPECT_TRUE(LoadImageFile(folder.File("t001.bmp")) == tile);
    EXPECT_TRUE(LoadImageFile(folder.File("t001.png")) == tile);
    EXPECT_EQ(LoadImageFile(folder.File("t001.jpg")).Width(), 62);
    SaveJpeg(tile, folder.File("t002.jpg"), 1);
    EXPECT_EQ(LoadImageFile(folder.File("t002.jpg")).Height(), 62);
    const std::vector<std::string> expected = {"t001.bmp", "t001.jpg", "t001.png", "t002.jpg"};
    EXPECT_EQ(Names(folder.Path()), expected);
}

TEST(ImageFiles, FailedWritesLeaveNothingBehind)
{
    test::TemporaryFolder folder;
    fs::create_directory(folder.File("taken.bmp"));
    EXPECT_EQ(SaveFailure(folder.File("taken.bmp")), "ファイル \"" + folder.File("taken.bmp") +
                                                         "\". " + std::strerror(EISDIR) +
                                                         " を作成できません");
    const std::string nowhere = folder.File("no/such/folder/t.bmp");
    EXPECT_EQ(SaveFailure(nowhere),
              "ファイル \"" + nowhere + "\". " + std::strerror(ENOENT) + " を作成できません");
    EXPECT_THROW(SavePng(Image(), folder.File("empty.png")), ErrorMessage);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"taken.bmp"});
}

TEST(ImageFiles, AWriteCutShortKeepsTheOlderFile)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("t001.bmp");
    WriteText(path, "older file");

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
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"t001.bmp"});
}

TEST(ImageFiles, AFileWrittenInTwoStepsAppearsOnlyWhenCommitted)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("t001.bmp");
    WriteText(path, "older file");
    const std::vector<std::uint8_t> bytes = {1, 2, 3};

    const std::string temporary = WriteTemporaryFile(path, bytes);
    EXPECT_EQ(fs::path(temporary).parent_path(), fs::path(path).parent_path());
    EXPECT_EQ(ReadWholeFile(path).size(), 10u);
    EXPECT_EQ(ReadWholeFile(temporary), bytes);
    CommitTemporaryFile(temporary, path);
    EXPECT_EQ(ReadWholeFile(path), bytes);

    const std::string discarded = WriteTemporaryFile(path, bytes);
    DiscardTemporaryFile(discarded);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"t001.bmp"});

    // A commit that cannot rename takes its temporary file away and names
    // the target as a one-step write would.
    fs::create_directory(folder.File("taken.bmp"));
    const std::string blocked = WriteTemporaryFile(folder.File("taken.bmp"), bytes);
    try {
        CommitTemporaryFile(blocked, folder.File("taken.bmp"));
        ADD_FAILURE() << "committed onto a folder";
    } catch (const ErrorMessage& error) {
        EXPECT_EQ(std::string(error.what()), SaveFailure(folder.File("taken.bmp")));
    }
    EXPECT_EQ(Names(folder.Path()), (std::vector<std::string>{"t001.bmp", "taken.bmp"}));
    EXPECT_EQ(SaveFailure(folder.File("no/such/folder/t.bmp")),
              [&] {
                  try {
                      WriteTemporaryFile(folder.File("no/such/folder/t.bmp"), bytes);
                  } catch (const ErrorMessage& error) {
                      return std::string(error.what());
                  }
                  return std::string();
              }());
}

}  // namespace
}  // namespace qm
