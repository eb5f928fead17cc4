// SPDX-License-Identifier: MIT
// The wallpaper groups and the print repeats from the command line: the
// names --method lists, a group's repeat made again from its record byte
// for byte, the width of the rectangular groups, and a plug-in's tile laid
// out like any other.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "CliProcess.h"
#include "imageio/ImageFiles.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::TempFolder;

namespace {

namespace fs = std::filesystem;

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";

struct Size {
    int width;
    int height;
    bool operator==(const Size&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Size& size)
{
    return out << size.width << " x " << size.height;
}

Size SizeOf(const std::string& file)
{
    const Image image = LoadImageFile(file);
    return {image.Width(), image.Height()};
}

}  // namespace

TEST(CliGroups, ListRepeatsAndAnExactReplayOfAGroupRun)
{
    TempFolder work;
    const CliResult list = RunCliProgram({"--method", "list"}, work.Path());
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out,
              "kaleidoscope\ncarpet\ntablecloth\ntile\nfloral\ndistorted-square\nrectangle\nnone\n"
              "p1\np2\npm\npg\ncm\npmm\npmg\npgg\ncmm\np4\np4m\np4g\np3\np3m1\np31m\np6\np6m\n");
    EXPECT_EQ(RunCliProgram({"--method", "list", "--count", "2"}, work.Path()).exitCode, 2);
    EXPECT_EQ(RunCliProgram({"--file", kJpeg, "--layout", "drop"}, work.Path()).exitCode, 2);

    // A sampled group, shuffled and brightened, as a mirror repeat; its
    // record makes the same files again.
    ASSERT_EQ(RunCliProgram({"--file", kJpeg, "--method", "p31m", "--size", "64", "--count", "2",
                             "--shuffle", "--brightness", "--layout", "mirror", "--record", "--out",
                             "."},
                            work.Path())
                  .exitCode,
              0);
    EXPECT_EQ(SizeOf(work / "image002.bmp"), (Size{2 * 128, 2 * 222}));
    fs::create_directory(work / "again");
    const CliResult replay =
        RunCliProgram({"--replay", "imagerecord.json", "--out", "again"}, work.Path());
    EXPECT_EQ(replay.exitCode, 0) << replay.err;
    for (const char* name : {"image001.bmp", "image002.bmp"}) {
        EXPECT_EQ(FileBytes(work / (std::string("again/") + name)), FileBytes(work / name)) << name;
    }

    // The rectangular groups take the width field, the others do not.
    const CliResult pmg = RunCliProgram({"--file", kJpeg, "--method", "pmg", "--size", "32",
                                         "--width", "64", "--layout", "half-drop", "--prefix",
                                         "pmg", "--out", "."},
                                        work.Path());
    EXPECT_EQ(pmg.exitCode, 0) << pmg.err;
    EXPECT_EQ(SizeOf(work / "pmg001.bmp"), (Size{2 * 128, 64}));
    const CliResult p4 =
        RunCliProgram({"--file", kJpeg, "--method", "p4", "--width", "64", "--out", "."}, work.Path());
    EXPECT_EQ(p4.exitCode, 2);
    EXPECT_NE(p4.err.find("rectangle, none, pm, pg, cm, pmm, pmg, pgg, cmm"), std::string::npos);

    // A plug-in's tile as a half-brick: the tile, and below it the tile
    // moved right by half its width.
    for (const char* layout : {"block", "half-brick"}) {
        ASSERT_EQ(RunCliProgram({"--file", kJpeg, "--plugin", QM_SAMPLE_PLUGIN_PINWHEEL, "--size",
                                 "64", "--layout", layout, "--seed", "3", "--prefix", layout,
                                 "--out", "."},
                                work.Path())
                      .exitCode,
                  0);
    }
    const Image block = LoadImageFile(work / "block001.bmp");
    const Image brick = LoadImageFile(work / "half-brick001.bmp");
    ASSERT_EQ(brick.Width(), block.Width());
    ASSERT_EQ(brick.Height(), 2 * block.Height());
    const int w = block.Width();
    for (int y = 0; y < block.Height(); ++y) {
        ASSERT_EQ(std::memcmp(brick.Row(y), block.Row(y), block.RowBytes()), 0) << y;
        const std::uint8_t* shifted = brick.Row(block.Height() + y);
        ASSERT_EQ(std::memcmp(shifted + 3 * (w / 2), block.Row(y), 3 * (w - w / 2)), 0) << y;
    }
}

}  // namespace qm
