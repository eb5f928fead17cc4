// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "CliProcess.h"
#include "cli/BatchSeed.h"
#include "imageio/ImageFiles.h"
#include "support/Noise.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::BytesWithoutTime;
using test::NamesIn;
using test::TempFolder;

namespace {

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";

std::vector<std::string> Tiles(int count)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        names.push_back("image00" + std::to_string(i) + ".png");
    }
    return names;
}

TEST(CliPieces, BatchNamesFailuresSummaryAndSeeds)
{
    TempFolder in;
    TempFolder out;
    SavePng(test::Noise(80, 70, 1), in / "a.png");
    SaveJpeg(test::Noise(80, 70, 2), in / "a.jpg", 90);
    in.Write("b.png", "not a picture");
    SavePng(test::Noise(90, 60, 3), in / "c.PNG");
    in.Write("notes.txt", "skipped");
    const std::vector<std::string> options = {"--size", "32", "--method", "none", "--format",
                                              "png", "--count", "2", "--seed", "40"};
    std::vector<std::string> batch = {"--batch", in.Path(), "--out", out.Path()};
    batch.insert(batch.end(), options.begin(), options.end());
    const CliResult result = RunCliProgram(batch, in.Path());
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.err.find("b.png: "), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.ends_with("batch: 3 done, 1 failed, 6 tiles written\n")) << result.out;
    EXPECT_EQ(NamesIn(out.Path()), (std::vector<std::string>{"a-jpg", "a-png", "b", "c"}));
    EXPECT_EQ(NamesIn(out / "a-png"), Tiles(2));
    EXPECT_EQ(NamesIn(out / "b"), std::vector<std::string>{});

    // c.PNG used the seed of its name.
    TempFolder single;
    std::vector<std::string> alone = {"--file", in / "c.PNG", "--out", single.Path()};
    alone.insert(alone.end(), options.begin(), options.end());
    alone.back() = std::to_string(PictureSeed(40, "c.PNG"));
    ASSERT_EQ(RunCliProgram(alone, in.Path()).exitCode, 0);
    for (const std::string& name : Tiles(2)) {
        EXPECT_EQ(BytesWithoutTime(out / ("c/" + name)), BytesWithoutTime(single / name)) << name;
    }

    in.Write("only.txt", "");
    EXPECT_EQ(RunCliProgram({"--batch", in.Path()}, in.Path()).exitCode, 2);
    EXPECT_EQ(RunCliProgram({"--batch", out / "b", "--out", out.Path()}, in.Path()).exitCode, 1);
}

// The batch's own gallery page links every picture's tiles and variants
// under its folder's name; --gallery-of writes the same page from the
// folder, from the records or, without one, from the tiles' names.
TEST(CliPieces, BatchGalleryLinksEveryPicturesTiles)
{
    TempFolder in;
    TempFolder out;
    SavePng(test::Noise(80, 70, 1), in / "a.png");
    SavePng(test::Noise(90, 60, 2), in / "b&c.png");
    const CliResult batch =
        RunCliProgram({"--batch", in.Path(), "--out", out.Path(), "--size", "32", "--method",
                       "none", "--format", "png", "--count", "2", "--colorways", "2", "--record",
                       "--gallery"},
                      in.Path());
    ASSERT_EQ(batch.exitCode, 0) << batch.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(out / "a/gallery.html"));
    const std::string page = test::FileBytes(out / "gallery.html");
    EXPECT_NE(page.find("<h2>a</h2>"), std::string::npos);
    EXPECT_LT(page.find("<h2>a</h2>"), page.find("<h2>b&amp;c</h2>"));
    std::vector<std::string> links;
    const std::string mark = "data-url=\"";
    for (std::size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at)) {
        at += mark.size();
        std::string link;
        for (const std::size_t end = page.find('"', at); at < end; ++at) {
            const bool amp = page.compare(at, 3, "%26") == 0;
            link += amp ? '&' : page[at];
            at += amp ? 2 : 0;
        }
        EXPECT_TRUE(std::filesystem::is_regular_file(out / link)) << link;
        links.push_back(link);
    }
    EXPECT_EQ(links, (std::vector<std::string>{"a/image001.png", "a/image001-c2.png",
                                               "a/image002.png", "a/image002-c2.png",
                                               "b&c/image001.png", "b&c/image001-c2.png",
                                               "b&c/image002.png", "b&c/image002-c2.png"}));

    // A file the record does not list is none of its tiles; without a
    // record, the names tell.
    std::filesystem::copy_file(out / "a/image001.png", out / "a/image077.png");
    std::filesystem::remove(out / "b&c/imagerecord.json");
    std::filesystem::remove(out / "gallery.html");
    const CliResult again = RunCliProgram({"--gallery-of", out.Path()}, in.Path());
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(test::FileBytes(out / "gallery.html"), page);

    EXPECT_EQ(RunCliProgram({"--gallery-of", out.Path(), "--count", "2"}, in.Path()).exitCode, 2);
    const CliResult empty =
        RunCliProgram({"--gallery-of", in.Path(), "--gallery", "g.html"}, in.Path());
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, in.Path() + ": タイルがありません / no tiles\n");
    EXPECT_FALSE(std::filesystem::exists(in / "g.html"));
}

TEST(CliPieces, ExtendedOptionsJudgedAndTheTagHonoured)
{
    TempFolder work;
    for (const std::string option : {"--fit", "--skip-flat"}) {
        const CliResult refused = RunCliProgram({"--file", kJpeg, option, "300"}, work.Path());
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.err.starts_with(option + ": ")) << refused.err;
    }
    EXPECT_EQ(RunCliProgram({"--file", kJpeg, "--skip-flat", "--fit", "40", "--out", work.Path()},
                            work.Path())
                  .exitCode,
              0);

    // A half-turn tag: the run gives the tiles of a lossless file of the
    // decoded picture turned in memory.
    std::string tagged = test::FileBytes(kJpeg);
    const std::string app1 = std::string("\xff\xe1\x00\x22" "Exif\0\0" "MM\0\x2a\0\0\0\x08" "\0\x01"
                                         "\x01\x12\0\x03\0\0\0\x01\0\x03\0\0" "\0\0\0\0",
                                         36);
    tagged.insert(2, app1);
    std::ofstream(work / "tagged.jpg", std::ios::binary) << tagged;
    const Image stored = LoadImageFile(kJpeg);
    Image turned(stored.Width(), stored.Height());
    for (int y = 0; y < stored.Height(); ++y) {
        for (int x = 0; x < stored.Width(); ++x) {
            std::copy_n(stored.Pixel(stored.Width() - 1 - x, stored.Height() - 1 - y), 3,
                        turned.Pixel(x, y));
        }
    }
    SavePng(turned, work / "turned.png");
    TempFolder a;
    TempFolder b;
    const std::vector<std::string> run = {"--method", "none", "--format", "png", "--count", "3", "--seed", "8"};
    std::vector<std::string> fromTagged = {"--file", work / "tagged.jpg", "--out", a.Path()};
    std::vector<std::string> fromTurned = {"--file", work / "turned.png", "--out", b.Path()};
    fromTagged.insert(fromTagged.end(), run.begin(), run.end());
    fromTurned.insert(fromTurned.end(), run.begin(), run.end());
    ASSERT_EQ(RunCliProgram(fromTagged, work.Path()).exitCode, 0);
    ASSERT_EQ(RunCliProgram(fromTurned, work.Path()).exitCode, 0);
    for (const char* name : {"image001.png", "image002.png", "image003.png"}) {
        EXPECT_EQ(BytesWithoutTime(a / name), BytesWithoutTime(b / name)) << name;
    }
}

}  // namespace
}  // namespace qm
