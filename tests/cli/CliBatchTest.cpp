// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <map>

#include "CliProcess.h"
#include "cli/BatchSeed.h"
#include "imageio/ImageFiles.h"
#include "support/Noise.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

namespace fs = std::filesystem;
using test::FileBytes;
using test::NamesIn;
using test::TempFolder;

namespace {

// Every file below folder by its path there, with its bytes.
std::map<std::string, std::string> FilesBelow(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = FileBytes(entry.path());
        }
    }
    return files;
}

// "<stem><i><extension>", built so that the optimiser sees no overlap.
std::string Numbered(const char* stem, int i, const char* extension)
{
    std::string name = stem;
    name += std::to_string(i);
    name += extension;
    return name;
}

CliResult Batch(const std::string& in, const std::string& out, std::vector<std::string> more,
                const std::map<std::string, std::string>& environment = {})
{
    std::vector<std::string> arguments = {"--batch", in, "--out", out, "--size", "32", "--count",
                                          "2", "--format", "jpeg", "--seed", "9"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return RunCliProgram(arguments, in, environment);
}

}  // namespace

// Shards of a batch, chosen by hand or by a job runner's variables, make
// exactly the files of one run and nothing of each other's pictures; a
// picture's tiles stay when another is added.
TEST(CliBatch, ShardsMakeTheFilesOfOneRun)
{
    EXPECT_EQ(Fnv1a64("a"), 0xaf63dc4c8601ec8cu);
    TempFolder in;
    for (int i = 0; i < 7; ++i) {
        SaveJpeg(test::Noise(60, 50, static_cast<std::uint32_t>(i)), in / Numbered("p", i, ".jpg"), 90);
    }
    TempFolder whole;
    ASSERT_EQ(Batch(in.Path(), whole.Path(), {}).exitCode, 0);

    TempFolder split;
    const CliResult first = Batch(in.Path(), split.Path(), {"--shard", "1/3"});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_TRUE(first.out.starts_with("区切り 1/3: 画像 7 枚のうち 2 枚\n[1/7] p0.jpg: タイル 2 枚\n"))
        << first.out;
    EXPECT_EQ(NamesIn(split.Path()), (std::vector<std::string>{"p0", "p1"}));
    const std::map<std::string, std::string> slurm = {{"SLURM_ARRAY_TASK_ID", "5"},
                                                      {"SLURM_ARRAY_TASK_MIN", "1"},
                                                      {"SLURM_ARRAY_TASK_STEP", "2"},
                                                      {"SLURM_ARRAY_TASK_MAX", "5"},
                                                      {"SLURM_ARRAY_TASK_COUNT", "3"}};
    EXPECT_EQ(Batch(in.Path(), split.Path(), {"--shard", "auto"}, slurm).exitCode, 0);
    EXPECT_EQ(Batch(in.Path(), split.Path(), {"--shard", "auto", "--shard-count", "3"},
                    {{"JOB_COMPLETION_INDEX", "1"}})
                  .exitCode,
              0);
    EXPECT_EQ(FilesBelow(split.Path()), FilesBelow(whole.Path()));

    std::map<std::string, std::string> uneven = slurm;
    uneven["SLURM_ARRAY_TASK_MAX"] = "9";
    const CliResult refused = Batch(in.Path(), split.Path(), {"--shard", "auto"}, uneven);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.starts_with("--shard auto: Slurm のジョブ配列が等間隔の範囲ではありません\n"))
        << refused.err;
    EXPECT_EQ(RunCliProgram({"--file", in / "p0.jpg", "--shard", "1/2"}, in.Path()).exitCode, 2);

    SaveJpeg(test::Noise(60, 50, 99), in / "p0a.jpg", 90);
    TempFolder more;
    ASSERT_EQ(Batch(in.Path(), more.Path(), {"--shard", "1/1", "--gallery"}).exitCode, 0);
    EXPECT_EQ(FileBytes(more / "p6/image001.jpg"), FileBytes(whole / "p6/image001.jpg"));
    // A shard writes each picture's gallery, but the batch's is left to
    // --gallery-of.
    EXPECT_TRUE(fs::exists(more / "p6/gallery.html"));
    EXPECT_FALSE(fs::exists(more / "gallery.html"));
}

// A batch stopped by SIGKILL and run again with --skip-existing ends with
// the files of an uninterrupted run, the pictures finished before the stop
// left as they were; the summary tells what the folder holds and the exit
// status that some pictures failed.
TEST(CliBatch, ResumeAndSummary)
{
    TempFolder in;
    for (int i = 0; i < 6; ++i) {
        SaveBmp(test::Noise(700, 700, static_cast<std::uint32_t>(i)), in / Numbered("n", i, ".bmp"));
    }
    const std::vector<std::string> options = {"--size", "256", "--count", "12", "--format", "png",
                                              "--seed", "3", "--record"};
    TempFolder whole;
    std::vector<std::string> arguments = {"--batch", in.Path(), "--out", whole.Path()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    ASSERT_EQ(RunCliProgram(arguments, in.Path()).exitCode, 0);

    TempFolder stopped;
    arguments[3] = stopped.Path();
    const pid_t child = StartCliProgram(arguments, in.Path());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!fs::exists(stopped / "n1/image001.png") && std::chrono::steady_clock::now() < deadline) {
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    std::map<std::string, ino_t> before;
    for (const auto& entry : fs::directory_iterator(stopped / "n0")) {
        struct stat status {};
        ::stat(entry.path().c_str(), &status);
        before[entry.path().string()] = status.st_ino;
    }
    arguments.push_back("--skip-existing");
    const CliResult resumed = RunCliProgram(arguments, in.Path());
    EXPECT_EQ(resumed.exitCode, 0) << resumed.err;
    EXPECT_NE(resumed.out.find("[1/6] n0.bmp: 作成済み\n"), std::string::npos) << resumed.out;
    for (const auto& [path, inode] : before) {
        struct stat status {};
        ::stat(path.c_str(), &status);
        EXPECT_EQ(status.st_ino, inode) << path;
    }
    std::map<std::string, std::string> made = FilesBelow(stopped.Path());
    std::map<std::string, std::string> expected = FilesBelow(whole.Path());
    ASSERT_EQ(made.size(), expected.size());
    for (const auto& [name, bytes] : expected) {
        if (name.ends_with(".png")) {
            EXPECT_EQ(test::BytesWithoutTime(stopped / name), test::BytesWithoutTime(whole / name)) << name;
        }
    }

    in.Write("n2.bmp", "not a picture");
    SaveBmp(test::Noise(100, 100, 1), in / "n3.bmp");
    TempFolder summed;
    arguments[3] = summed.Path();
    arguments.back() = "--summary";
    arguments.push_back("-");
    const CliResult summarised = RunCliProgram(arguments, in.Path());
    EXPECT_EQ(summarised.exitCode, 3);
    const nlohmann::json summary = nlohmann::json::parse(summarised.out);
    EXPECT_EQ(summary["totals"], nlohmann::json::parse(R"({"pictures": 6, "made": 4, "skipped": 0,
                                                         "failed": 2, "tiles": 48})"));
    EXPECT_TRUE(summary["shard"].is_null());
    for (const nlohmann::json& picture : summary["pictures"]) {
        const std::string folder = picture["folder"];
        EXPECT_EQ(picture["error"].is_null(), picture["tiles"] == 12) << folder;
        EXPECT_EQ(fs::exists(folder + "/image012.png"), picture["error"].is_null()) << folder;
    }
    EXPECT_EQ(summary["pictures"][2]["error"], "ビットマップイメージが不正です");
}

}  // namespace qm
