// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "CliProcess.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::TempFolder;

namespace {

namespace fs = std::filesystem;

// 227 x 149: with the cut of 32 a corner goes up to 195, 117.
const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";

nlohmann::json RecordIn(const TempFolder& work, const std::string& name)
{
    return nlohmann::json::parse(FileBytes(work / name));
}

}  // namespace

// Pieces placed by hand lie within the radius of the place, clipped to the
// picture, take the brightness amounts of the same seed without the place,
// and replay exactly.
TEST(CliAt, PiecesLieWithinTheRadiusAndReplay)
{
    TempFolder work;
    const auto run = [&](const std::string& prefix, std::vector<std::string> extra) {
        std::vector<std::string> arguments = {"--file", kJpeg, "--count", "6", "--brightness",
                                              "--seed", "11", "--record", "--prefix", prefix,
                                              "--out", "."};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunCliProgram(arguments, work.Path()).exitCode;
    };
    ASSERT_EQ(run("exact", {"--at", "40,30"}), 0);
    ASSERT_EQ(run("near", {"--at", "190,20:8"}), 0);
    ASSERT_EQ(run("free", {}), 0);
    const nlohmann::json exact = RecordIn(work, "exactrecord.json");
    const nlohmann::json near = RecordIn(work, "nearrecord.json");
    const nlohmann::json free = RecordIn(work, "freerecord.json");
    bool moved = false;
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(exact["tiles"][i]["x0"], 40);
        EXPECT_EQ(exact["tiles"][i]["y0"], 30);
        const int x0 = near["tiles"][i]["x0"];
        const int y0 = near["tiles"][i]["y0"];
        EXPECT_TRUE(x0 >= 182 && x0 <= 195) << x0;
        EXPECT_TRUE(y0 >= 12 && y0 <= 28) << y0;
        moved = moved || x0 != 190 || y0 != 20;
        EXPECT_EQ(near["tiles"][i]["brightness"], free["tiles"][i]["brightness"]);
    }
    EXPECT_TRUE(moved);

    fs::create_directory(work / "again");
    ASSERT_EQ(RunCliProgram({"--replay", "nearrecord.json", "--tiles", "5", "--out", "again"},
                            work.Path())
                  .exitCode,
              0);
    EXPECT_EQ(FileBytes(work / "again/near005.bmp"), FileBytes(work / "near005.bmp"));
    EXPECT_EQ(RunCliProgram({"--file", kJpeg, "--at", "4,5:"}, work.Path()).exitCode, 2);
}

}  // namespace qm
