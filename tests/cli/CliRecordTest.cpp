// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>

#include "CliProcess.h"
#include "imageio/ImageFiles.h"
#include "support/Noise.h"
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

TEST(CliRecord, RecordThenReplayInAnotherType)
{
    TempFolder work;
    ASSERT_EQ(RunCliProgram({"--file", kJpeg, "--count", "3", "--brightness", "--record", "--out",
                             "."},
                            work.Path())
                  .exitCode,
              0);
    fs::create_directory(work / "again");
    const CliResult replay = RunCliProgram({"--replay", "imagerecord.json", "--tiles", "2-3", "--out",
                                            "again", "--format", "png", "--prefix", "x"},
                                           work.Path());
    EXPECT_EQ(replay.exitCode, 0) << replay.err;
    EXPECT_EQ(NamesIn(work / "again"), (std::vector<std::string>{"x002.png", "x003.png"}));
    EXPECT_EQ(LoadImageFile(work / "again/x003.png"), LoadImageFile(work / "image003.bmp"));
    // Without a fit the picture is at its own size already; without --out the
    // tiles go beside the run's own, not over them.
    EXPECT_EQ(RunCliProgram({"--replay", "imagerecord.json", "--tiles", "1", "--full-resolution"},
                            work.Path())
                  .exitCode,
              0);
    EXPECT_EQ(FileBytes(work / "full-resolution/image001.bmp"), FileBytes(work / "image001.bmp"));

    EXPECT_EQ(RunCliProgram({"--replay", "imagerecord.json", "--count", "2"}, work.Path()).exitCode, 2);
    EXPECT_EQ(RunCliProgram({"--file", kJpeg, "--tiles", "1"}, work.Path()).exitCode, 2);
    EXPECT_EQ(RunCliProgram({"--file", kJpeg, "--full-resolution"}, work.Path()).exitCode, 2);
    EXPECT_EQ(RunCliProgram({"--replay", "imagerecord.json", "--tiles", "3-1"}, work.Path()).exitCode, 2);
    const CliResult missing = RunCliProgram({"--replay", "none.json"}, work.Path());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.json"), std::string::npos);
}

// A run stopped by a signal leaves the record as it stood: the tiles in
// place, which replay exactly.
TEST(CliRecord, StoppedRunLeavesItsRecord)
{
    TempFolder work;
    SaveBmp(test::Noise(1024, 1024, 7), work / "noise.bmp");
    const pid_t child = StartCliProgram({"--file", "noise.bmp", "--size", "256", "--count", "100",
                                         "--format", "png", "--record", "--out", "."},
                                        work.Path());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!fs::exists(work / "image002.png") && std::chrono::steady_clock::now() < deadline) {
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    const std::string record = FileBytes(work / "imagerecord.json");
    EXPECT_NE(record.find("\"result\": \"stopped\""), std::string::npos);

    fs::create_directory(work / "again");
    EXPECT_EQ(RunCliProgram({"--replay", "imagerecord.json", "--tiles", "1", "--out", "again"},
                            work.Path())
                  .exitCode,
              0);
    EXPECT_EQ(test::BytesWithoutTime(work / "again/image001.png"),
              test::BytesWithoutTime(work / "image001.png"));
    for (const std::string& name : NamesIn(work.Path())) {
        EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
    }
}

// Names that are not UTF-8 are recorded with their bytes, and a replay
// finds the very files, a relative source path from the record's folder.
TEST(CliRecord, NamesThatAreNotUtf8ReplayTheSameFiles)
{
    TempFolder work;
    const std::string picture = "pic\xff.jpg";
    const std::string prefix = "p\xe9";
    fs::copy_file(kJpeg, work / picture);
    fs::create_directory(work / "out");
    const CliResult made = RunCliProgram(
        {"--file", picture, "--count", "2", "--prefix", prefix, "--record", "--out", "out"}, work.Path());
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const auto hex = [](const std::string& bytes) {
        constexpr char kDigits[] = "0123456789abcdef";
        std::string text;
        for (const char c : bytes) {
            text += kDigits[static_cast<unsigned char>(c) >> 4];
            text += kDigits[static_cast<unsigned char>(c) & 15];
        }
        return text;
    };
    std::string record = FileBytes(work / ("out/" + prefix + "record.json"));
    const std::string recorded = "\"path_bytes\": \"" + hex(work / picture) + "\"";
    ASSERT_NE(record.find(recorded), std::string::npos) << record;
    EXPECT_NE(record.find("\"prefix_bytes\": \"70e9\""), std::string::npos);
    record.replace(record.find(recorded), recorded.size(),
                   "\"path_bytes\": \"" + hex("../" + picture) + "\"");
    work.Write("out/moved.json", record);

    fs::create_directory(work / "again");
    const CliResult replay =
        RunCliProgram({"--replay", "../out/moved.json", "--out", "."}, work / "again");
    EXPECT_EQ(replay.exitCode, 0) << replay.err;
    for (const char* number : {"001", "002"}) {
        const std::string tile = prefix + number + ".bmp";
        EXPECT_EQ(FileBytes(work / ("again/" + tile)), FileBytes(work / ("out/" + tile))) << tile;
    }
}

}  // namespace qm
