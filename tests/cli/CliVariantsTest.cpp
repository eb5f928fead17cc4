// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CliProcess.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::NamesIn;
using test::TempFolder;

namespace {

namespace fs = std::filesystem;

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";

}  // namespace

// The colourways and the palette's tile are written beside every tile,
// belong to it in the gallery and in a replay, and stay out of the index
// page; their names are checked with the run's other names.
TEST(CliVariants, WrittenBesideEveryTileAndReplayed)
{
    TempFolder work;
    std::ofstream(work / "brand.txt") << "#203040\n#e0c000\n#fff8f0\n";
    const CliResult run =
        RunCliProgram({"--file", kJpeg, "--count", "2", "--colorways", "3", "--palette", "brand.txt",
                       "--record", "--html", "--gallery", "--out", "."},
                      work.Path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(NamesIn(work.Path()),
              (std::vector<std::string>{"brand.txt", "gallery.html", "image001-c2.bmp",
                                        "image001-c3.bmp", "image001-p.bmp", "image001.bmp",
                                        "image002-c2.bmp", "image002-c3.bmp", "image002-p.bmp",
                                        "image002.bmp", "imagerecord.json", "list.html"}));
    EXPECT_NE(FileBytes(work / "image001-c2.bmp"), FileBytes(work / "image001.bmp"));
    EXPECT_EQ(FileBytes(work / "list.html").find("-c2"), std::string::npos);
    const std::string gallery = FileBytes(work / "gallery.html");
    EXPECT_LT(gallery.find("image001.bmp"), gallery.find("image001-p.bmp"));
    EXPECT_LT(gallery.find("image001-p.bmp"), gallery.find("image002.bmp"));

    // The record keeps the colours: the palette file is not read again.
    fs::remove(work / "brand.txt");
    fs::create_directory(work / "again");
    const CliResult replay =
        RunCliProgram({"--replay", "imagerecord.json", "--tiles", "2", "--out", "again"}, work.Path());
    ASSERT_EQ(replay.exitCode, 0) << replay.err;
    EXPECT_EQ(NamesIn(work / "again"),
              (std::vector<std::string>{"image002-c2.bmp", "image002-c3.bmp", "image002-p.bmp",
                                        "image002.bmp"}));
    for (const std::string name : {"image002-c3.bmp", "image002-p.bmp"}) {
        EXPECT_EQ(FileBytes(work / ("again/" + name)), FileBytes(work / name)) << name;
    }

    const CliResult clash = RunCliProgram({"--file", kJpeg, "--colorways", "2", "--contact-sheet",
                                           "image001-c2.bmp", "--out", "again"},
                                          work.Path());
    EXPECT_EQ(clash.exitCode, 2);
    EXPECT_NE(clash.err.find("image001-c2.bmp"), std::string::npos) << clash.err;
}

}  // namespace qm
