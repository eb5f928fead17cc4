// SPDX-License-Identifier: MIT
// Tiles for print from the command line: smooth edges, repeat sizes and the
// JPEG chroma, their refusals, and a run made again from its record.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "app/record/FileHash.h"
#include "imageio/ImageFiles.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::NamesIn;
using test::TempFolder;

namespace {

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";
const std::string kPhoto = std::string(QM_FIXTURES) + "/photos/Aqua.jpg";

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

// What a JPEG file says of its resolution (JFIF density in dots per inch)
// and of the sampling of its three components (horizontal and vertical
// factors, 0x22 for half the resolution both ways).
struct JpegHeader {
    int Dpi = 0;
    std::vector<int> Sampling;
};

JpegHeader ReadJpegHeader(const std::string& bytes)
{
    JpegHeader header;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (std::size_t i = 2; i + 4 < bytes.size() && at(i) == 0xFF;) {
        const int marker = at(i + 1);
        const std::size_t length = 256 * at(i + 2) + at(i + 3);
        if (marker == 0xE0 && at(i + 11) == 1) {
            header.Dpi = 256 * at(i + 12) + at(i + 13);
        }
        if (marker == 0xC0) {
            for (int c = 0; c < at(i + 9); ++c) {
                header.Sampling.push_back(at(i + 11 + 3 * c));
            }
            break;
        }
        i += 2 + length;
    }
    return header;
}

// With every print setting off the files are those the program wrote
// before it had them, byte for byte; 4:2:0 is the JPEG writer's own
// sampling, and smooth edges change nothing for no conversion, whose tile
// a finer cut only enlarges.
TEST(CliPrint, EverySettingOffWritesTodaysBytes)
{
    TempFolder work;
    const std::vector<std::string> floral{"--file", kJpeg, "--method", "floral", "--size", "64",
                                          "--count", "2", "--seed", "7", "--brightness",
                                          "--out", work.Path()};
    for (const char* format : {"bmp", "jpeg"}) {
        ASSERT_EQ(RunCliProgram(Joined(floral, {"--format", format, "--prefix", format}), work.Path())
                      .exitCode,
                  0);
    }
    ASSERT_EQ(RunCliProgram(Joined(floral, {"--format", "jpeg", "--chroma", "420", "--prefix", "c"}),
                            work.Path())
                  .exitCode,
              0);
    const std::pair<const char*, const char*> today[] = {
        {"bmp001.bmp", "65fdc9d5f10e02f185641dc6fa82aa55de88b7724e23f517c51df3301dc9e656"},
        {"bmp002.bmp", "c254ec6b8df30dab22715e822aa95f600ea515fe076f18244fdfd49aa6b7cbd4"},
        {"jpeg001.jpg", "915bc9e6bf5778d78d7e6509c643ea3703fb70a0819c5f780d449e8d70ec0c13"},
        {"jpeg002.jpg", "7c290f0f1f7b1fe58ff4b652337af23a0e5723297a758eea4e6eba53d9f8154c"},
        {"c001.jpg", "915bc9e6bf5778d78d7e6509c643ea3703fb70a0819c5f780d449e8d70ec0c13"},
    };
    for (const auto& [name, sha256] : today) {
        EXPECT_EQ(Sha256OfFile(work / name), sha256) << name;
    }

    const std::vector<std::string> none{"--file", kJpeg, "--method", "none", "--size", "64",
                                        "--seed", "3", "--out", work.Path()};
    ASSERT_EQ(RunCliProgram(Joined(none, {"--prefix", "plain"}), work.Path()).exitCode, 0);
    ASSERT_EQ(RunCliProgram(Joined(none, {"--prefix", "smooth", "--smooth", "4"}), work.Path()).exitCode,
              0);
    EXPECT_EQ(FileBytes(work / "plain001.bmp"), FileBytes(work / "smooth001.bmp"));
}

TEST(CliPrint, RefusalsAreUsageErrors)
{
    TempFolder work;
    const std::vector<std::string> cut{"--file", kPhoto, "--size", "256", "--out", work.Path()};
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--smooth", "5"}, "--smooth: なめらかな縁は2～4の整数を指定して下さい。\n"},
        {{"--smooth", "1"}, "--smooth: なめらかな縁は2～4の整数を指定して下さい。\n"},
        {{"--smooth", "--shuffle"}, "--smooth: なめらかな縁はシャッフルと一緒に使えません\n"},
        {{"--plugin", work / "any.so", "--smooth"}, "--smooth: なめらかな縁は外部変換には使えません\n"},
        {{"--repeat-size", "8in"}, "--repeat-size: 解像度 (dpi) を指定して下さい\n"},
        {{"--repeat-size", "20cm"}, "--repeat-size: 解像度 (dpi) を指定して下さい\n"},
        {{"--repeat-size", "8 in"}, "--repeat-size: リピートの大きさは 8in、20x30cm、2400px"},
        // A tile of 510 pixels grows to 765 at most; a cut of 402 allows 8
        // inches at 150 dpi.
        {{"--repeat-size", "8in", "--dpi", "150", "--large"},
         "8in は大きすぎます (最大 5.1 x 5.1 in (765 x 765 px)、切り抜き 402 以上で可能)\n"},
        {{"--repeat-size", "2x3in", "--dpi", "150"},
         "2x3in はタイルの縦横比と合いません (縦横比どおりなら 2 x 2 in (300 x 300 px))\n"},
        {{"--chroma", "444", "--format", "png"}, "--chroma は --format jpeg の時だけ指定できます\n"},
        {{"--chroma", "422", "--format", "jpeg"}, "--chroma: "},
    };
    for (const auto& [options, message] : refused) {
        const std::vector<std::string> method =
            options.front() == "--plugin" ? std::vector<std::string>{}
                                          : std::vector<std::string>{"--method", "tablecloth"};
        const CliResult result = RunCliProgram(Joined(Joined(cut, method), options), work.Path());
        EXPECT_EQ(result.exitCode, 2) << options.front() << " " << options.back();
        EXPECT_EQ(result.err.substr(0, message.size()), message) << result.err;
    }
    EXPECT_TRUE(NamesIn(work.Path()).empty());
}

// A smoothed JPEG run at a repeat size in inches, with full chroma and its
// record: the files have the size and resolution asked, and the record
// makes them again byte for byte; at full resolution the tiles keep the
// repeat size.
TEST(CliPrint, SizedSmoothedRunAndItsRecordReplayed)
{
    TempFolder work;
    std::filesystem::create_directory(work / "again");
    const CliResult made = RunCliProgram(
        {"--file", kPhoto, "--method", "tablecloth", "--size", "256", "--fit", "100", "--count", "2",
         "--smooth", "2", "--repeat-size", "2.5in", "--dpi", "300", "--format", "jpeg", "--chroma",
         "444", "--record", "--out", work.Path()},
        work.Path());
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const Image tile = LoadImageFile(work / "image001.jpg");
    EXPECT_EQ(tile.Width(), 750);
    EXPECT_EQ(tile.Height(), 750);
    const JpegHeader header = ReadJpegHeader(FileBytes(work / "image001.jpg"));
    EXPECT_EQ(header.Dpi, 300);
    EXPECT_EQ(header.Sampling, (std::vector<int>{0x11, 0x11, 0x11}));

    const CliResult replayed =
        RunCliProgram({"--replay", "imagerecord.json", "--out", work / "again"}, work.Path());
    ASSERT_EQ(replayed.exitCode, 0) << replayed.err;
    for (const char* name : {"image001.jpg", "image002.jpg"}) {
        EXPECT_EQ(FileBytes(work / name), FileBytes(work / "again/" + name)) << name;
    }
    const CliResult full = RunCliProgram(
        {"--replay", "imagerecord.json", "--full-resolution", "--chroma", "420"}, work.Path());
    ASSERT_EQ(full.exitCode, 0) << full.err;
    const std::string fullTile = work / "full-resolution/image001.jpg";
    EXPECT_EQ(LoadImageFile(fullTile).Width(), 750);
    EXPECT_EQ(ReadJpegHeader(FileBytes(fullTile)).Sampling, (std::vector<int>{0x22, 0x11, 0x11}));
    EXPECT_NE(FileBytes(fullTile), FileBytes(work / "image001.jpg"));
}

}  // namespace
}  // namespace qm
