// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <filesystem>

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
const std::string kPng = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.png";

std::vector<std::string> RunInto(const std::string& out, std::vector<std::string> extra)
{
    std::vector<std::string> arguments{"--file", kJpeg, "--count", "3", "--format", "png",
                                       "--out", out};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
}

TEST(CliOutputFiles, NamesOfARunStayApartAndInsideTheOutputFolder)
{
    TempFolder work;
    fs::create_directories(work / "out/sub");
    const std::vector<std::pair<std::vector<std::string>, std::string>> twice{
        {{"--gallery", "image002.png"}, "out/image002.png"},
        {{"--contact-sheet", "./image003.png"}, "out/./image003.png"},
        {{"--html", "--gallery", "list.html"}, "out/list.html"},
        {{"--record", "--contact-sheet", "sub/../imagerecord.json"}, "out/sub/../imagerecord.json"}};
    for (const auto& [extra, name] : twice) {
        const CliResult result = RunCliProgram(RunInto("out", extra), work.Path());
        EXPECT_EQ(result.exitCode, 2) << name;
        EXPECT_EQ(result.err, name + " は作成する別のファイルと同じ名前です\n");
    }
    for (const char* prefix : {"../x", "sub/../../x", "/tmp/x", "a\tb", ".."}) {
        const CliResult result = RunCliProgram(RunInto("out", {"--prefix", prefix}), work.Path());
        EXPECT_EQ(result.exitCode, 2) << prefix;
        EXPECT_EQ(result.err, "プレフィックスが不正です\n") << prefix;
    }
    EXPECT_EQ(NamesIn(work / "out"), std::vector<std::string>{"sub"});
    EXPECT_TRUE(fs::is_empty(work / "out/sub"));

    // An absolute name is used as given; a prefix may name a subfolder.
    const CliResult made = RunCliProgram(
        RunInto("out", {"--prefix", "sub/t", "--record", "--contact-sheet", work / "sheet.png"}),
        work.Path());
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_TRUE(fs::is_regular_file(work / "sheet.png"));
    EXPECT_EQ(NamesIn(work / "out/sub"),
              (std::vector<std::string>{"t001.png", "t002.png", "t003.png", "trecord.json"}));

    // A record whose prefix leads out of the output folder makes nothing.
    std::string record = FileBytes(work / "out/sub/trecord.json");
    const std::string recorded = "\"prefix\": \"sub/t\"";
    ASSERT_NE(record.find(recorded), std::string::npos);
    record.replace(record.find(recorded), recorded.size(), "\"prefix\": \"../../escape-\"");
    work.Write("escape.json", record);
    fs::create_directories(work / "deep/out");
    const CliResult replay = RunCliProgram({"--replay", "escape.json", "--out", "deep/out"}, work.Path());
    EXPECT_EQ(replay.exitCode, 1);
    EXPECT_EQ(replay.err,
              "作成記録の prefix が不正です (先頭が「/」でなく、「..」の部分も制御文字もない名前)\n");
    EXPECT_EQ(RunCliProgram({"--replay", "out/sub/trecord.json", "--prefix", "../x"}, work.Path()).exitCode,
              2);
    EXPECT_EQ(NamesIn(work.Path()), (std::vector<std::string>{"deep", "escape.json", "out", "sheet.png"}));
    EXPECT_TRUE(fs::is_empty(work / "deep/out"));
}

// Every picture of a batch gets a folder of its own inside OUT, the same
// one the next time.
TEST(CliOutputFiles, BatchFoldersAreDistinctAndInsideTheOutputFolder)
{
    TempFolder work;
    fs::create_directories(work / "pictures");
    fs::create_directories(work / "out");
    for (const char* name : {"...png", "..png", ".png", "a-jpg.png", "a.png"}) {
        fs::copy_file(kPng, work / "pictures/" + name);
    }
    fs::copy_file(kJpeg, work / "pictures/a.jpg");
    const std::vector<std::string> folders{"_", "_.", "_..", "a-jpg", "a-jpg-2", "a-png"};
    for (int run = 1; run <= 2; ++run) {
        const CliResult batch = RunCliProgram({"--batch", "pictures", "--out", "out"}, work.Path());
        EXPECT_EQ(batch.exitCode, 0) << batch.err;
        EXPECT_EQ(NamesIn(work.Path()), (std::vector<std::string>{"out", "pictures"}));
        EXPECT_EQ(NamesIn(work / "out"), folders) << run;
        for (const std::string& folder : folders) {
            EXPECT_EQ(NamesIn(work / "out/" + folder), std::vector<std::string>{"image001.bmp"})
                << folder;
        }
    }
}

// While a run writes into a folder, a second one there is refused at once
// and the first one's files are all its own.
TEST(CliOutputFiles, OneRunAtATimePerFolder)
{
    TempFolder work;
    TempFolder tools;
    fs::create_directories(work / "out");
    // The first run reads the clipboard once it holds the folder, and waits
    // there for the word to go on.
    tools.Write("xclip", "#!/bin/sh\n: > started\nwhile [ ! -e go ]; do sleep 0.01; done\nexec cat '" +
                             kPng + "'\n");
    fs::permissions(tools / "xclip", fs::perms::owner_all);
    const pid_t first = StartCliProgram(
        {"--clipboard", "--count", "2", "--html", "--out", "out"}, work.Path(),
        {{"DISPLAY", ":7"}, {"WAYLAND_DISPLAY", ""}, {"PATH", tools.Path() + ":/usr/bin:/bin"}});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(work / "started") && std::chrono::steady_clock::now() < deadline) {
    }

    const CliResult second =
        RunCliProgram({"--file", kJpeg, "--count", "3", "--prefix", "x", "--out", "out"}, work.Path());
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.err, "出力フォルダは別の作成が使用中です\n");
    const CliResult replaced = RunCliProgram({"--file", kJpeg, "--out", "out"}, work.Path());
    EXPECT_EQ(replaced.exitCode, 1);

    work.Write("go", "");
    int status = 0;
    ::waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(NamesIn(work / "out"),
              (std::vector<std::string>{"image001.bmp", "image002.bmp", "list.html"}));
    // The folder is free again, and no lock file was left.
    EXPECT_EQ(RunCliProgram({"--file", kJpeg, "--prefix", "x", "--out", "out"}, work.Path()).exitCode, 0);
    EXPECT_EQ(NamesIn(work / "out").size(), 4u);
}

}  // namespace
}  // namespace qm
