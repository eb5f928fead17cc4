// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliProcess.h"
#include "imageio/ImageFiles.h"
#include "support/Noise.h"
#include "support/Processes.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::NamesIn;
using test::TempFolder;

namespace {

namespace fs = std::filesystem;

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";
const std::string kPng = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.png";
const std::string kMade = "作成しました。\n";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(CliRun, ExitCodesAndStreams)
{
    TempFolder work;
    CliResult made = RunCliProgram({"--file", kJpeg, "--count", "2", "--out", work.Path()}, work.Path());
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_EQ(made.out, kMade);
    EXPECT_EQ(made.err, "");
    EXPECT_TRUE(fs::is_regular_file(work / "image002.bmp"));

    // Messages go to the error stream, their CR LF as plain line breaks.
    CliResult missing = RunCliProgram({"--file", work / "none.jpg"}, work.Path());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "ファイルが見つかりません\n" + work / "none.jpg" + "\n");

    CliResult tooMany = RunCliProgram({"--file", kJpeg, "--count", "1000"}, work.Path());
    EXPECT_EQ(tooMany.exitCode, 1);
    EXPECT_EQ(tooMany.err, "生成枚数の指定が不正です\n");

    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{"--file", kJpeg, "--width", "64"},
          std::vector<std::string>{"--file", kJpeg, "--format", "png", "--quality", "80"},
          std::vector<std::string>{"--file", kJpeg, "--rotate", "5"},
          std::vector<std::string>{"--unknown"}, std::vector<std::string>{"--method", "spiral"},
          std::vector<std::string>{"--format", "gif"},
          std::vector<std::string>{"--html-title", "x"},
          std::vector<std::string>{"--file", kJpeg, "--folder", work.Path()},
          std::vector<std::string>{"--seed", "-1"}}) {
        CliResult result = RunCliProgram(usage, work.Path());
        EXPECT_EQ(result.exitCode, 2) << usage.front();
        EXPECT_NE(result.err, "") << usage.front();
        EXPECT_EQ(result.out, "") << usage.front();
    }
    EXPECT_EQ(NamesIn(work.Path()).size(), 2u);

    CliResult help = RunCliProgram({"--help"}, work.Path());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("distorted-square"), std::string::npos);
    EXPECT_NE(help.out.find("作成枚数"), std::string::npos);
    CliResult version = RunCliProgram({"--version"}, work.Path());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "1.2.0\n");
}

TEST(CliRun, SeededRunsRepeatByteForByte)
{
    TempFolder work;
    const std::vector<std::string> common{"--file", kJpeg, "--method", "distorted-square",
                                          "--rotate", "5", "--count", "3", "--shuffle",
                                          "--brightness", "--blur", "--seed", "1234"};
    for (const char* folder : {"first", "second"}) {
        fs::create_directory(work / folder);
        std::vector<std::string> arguments = common;
        arguments.insert(arguments.end(), {"--out", work / folder});
        ASSERT_EQ(RunCliProgram(arguments, work.Path()).exitCode, 0);
    }
    for (const char* name : {"image001.bmp", "image002.bmp", "image003.bmp"}) {
        const std::string first = ReadFile(work / "first/" + name);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, ReadFile(work / "second/" + name)) << name;
    }
    // Every piece of a run is cut at its own place.
    EXPECT_NE(ReadFile(work / "first/image001.bmp"), ReadFile(work / "first/image002.bmp"));
}

TEST(CliRun, MethodNamesDialogsAndOutputKinds)
{
    TempFolder work;
    CliResult rectangle = RunCliProgram({"--file", kJpeg, "--method", "長方形", "--size", "32",
                                         "--width", "64", "--format", "jpeg", "--quality", "1",
                                         "--prefix", "r", "--out", work.Path()},
                                        work.Path());
    EXPECT_EQ(rectangle.exitCode, 0) << rectangle.err;
    EXPECT_TRUE(fs::is_regular_file(work / "r001.jpg"));

    // Without --width the rectangle's width follows the height, as it does
    // in the window when the height is typed before the method is chosen.
    CliResult square = RunCliProgram({"--file", kJpeg, "--method", "rectangle", "--size", "64",
                                      "--prefix", "s", "--out", work.Path()},
                                     work.Path());
    EXPECT_EQ(square.exitCode, 0) << square.err;
    const std::string bmp = ReadFile(work / "s001.bmp");
    ASSERT_GE(bmp.size(), 26u);
    EXPECT_EQ(static_cast<unsigned char>(bmp[18]), 126);  // width 2 * 64 - 2
    EXPECT_EQ(static_cast<unsigned char>(bmp[22]), 126);  // height

    CliResult html = RunCliProgram({"--file", kJpeg, "--format", "png", "--count", "3", "--html",
                                    "--html-title", "Tiles", "--html-columns", "2", "--html-file",
                                    "index.html", "--out", work.Path()},
                                   work.Path());
    EXPECT_EQ(html.exitCode, 0) << html.err;
    const std::string page = ReadFile(work / "index.html");
    EXPECT_NE(page.find("<title>Tiles</title>"), std::string::npos);
    EXPECT_NE(page.find("</tr><tr>"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(work / "image003.png"));

    CliResult rotate = RunCliProgram({"--file", kJpeg, "--method", "distorted-square", "--rotate", "2.5"},
                                     work.Path());
    EXPECT_EQ(rotate.exitCode, 1);
    EXPECT_EQ(rotate.err, "歪四角の変換値は2～20の整数を指定して下さい。\n");

    CliResult columns = RunCliProgram({"--file", kJpeg, "--html", "--html-columns", "x"}, work.Path());
    EXPECT_EQ(columns.exitCode, 1);
    EXPECT_EQ(columns.err, "'x' は整数ではありません\n");

    CliResult plugin = RunCliProgram({"--file", kJpeg, "--plugin", work / "none.so"}, work.Path());
    EXPECT_EQ(plugin.exitCode, 1);
    EXPECT_NE(plugin.err.find("ファイル[" + work / "none.so" + "]"), std::string::npos);
}

int TemporaryFilesIn(const std::string& folder)
{
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
    }
    return count;
}

struct UsageCase {
    std::vector<std::string> arguments;
    int exitCode;
    // The error stream, or for a run that makes a tile the tile's name.
    std::string answer;
};

std::ostream& operator<<(std::ostream& out, const UsageCase& usage)
{
    for (const std::string& argument : usage.arguments) {
        out << "[" << argument << "] ";
    }
    return out;
}

class CliUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, RefusesWhatItCannotMean)
{
    TempFolder work;
    const UsageCase& usage = GetParam();
    const CliResult result = RunCliProgram(usage.arguments, work.Path());
    EXPECT_EQ(result.exitCode, usage.exitCode);
    if (usage.exitCode == 0) {
        EXPECT_EQ(result.out, kMade);
        EXPECT_TRUE(fs::is_regular_file(work / usage.answer));
    } else {
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.substr(0, usage.answer.size()), usage.answer);
    }
}

const std::string kQualityRange =
    "--quality: 品質は1～100の整数を指定して下さい / the quality must be a whole number from 1 "
    "to 100\nRun with --help for more information.\n";

std::vector<std::string> JpegWithQuality(const std::string& quality)
{
    return {"--file", kJpeg, "--format", "jpeg", "--quality", quality, "--out", "."};
}

std::vector<std::string> Format(const std::string& format)
{
    return {"--file", kJpeg, "--format", format, "--out", "."};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    testing::Values(UsageCase{{}, 2, "Quillmore: 画像から継ぎ目のない模様画像を作成します。\n"},
                    UsageCase{JpegWithQuality("abc"), 2, kQualityRange},
                    UsageCase{JpegWithQuality("2147483648"), 2, kQualityRange},
                    UsageCase{JpegWithQuality(""), 2, kQualityRange},
                    UsageCase{JpegWithQuality("-5"), 2, kQualityRange},
                    UsageCase{JpegWithQuality("101"), 2, kQualityRange},
                    UsageCase{JpegWithQuality("100"), 0, "image001.jpg"},
                    UsageCase{Format("JPG"), 0, "image001.jpg"},
                    UsageCase{Format("Jpeg"), 0, "image001.jpg"},
                    UsageCase{Format("PNG"), 0, "image001.png"},
                    UsageCase{Format("Bmp"), 0, "image001.bmp"},
                    UsageCase{{"--file", kJpeg, "--dpi", "10001", "--out", "."}, 2,
                              "--dpi: 解像度は1～10000の整数を指定して下さい。\n"},
                    UsageCase{{"--file", kJpeg, "--dpi", "1", "--out", "."}, 0, "image001.bmp"}));

// Stopped in the middle of a long run, the program removes the temporary
// files of the tiles it is writing and ends by the signal; the tiles in
// place stay.
TEST(CliRun, TerminationLeavesNoTemporaryFile)
{
    TempFolder work;
    SavePng(test::Noise(1024, 1024, 7), work / "noise.png");
    const pid_t child = StartCliProgram({"--file", "noise.png", "--size", "256", "--count", "100",
                                         "--format", "png", "--out", "."},
                                        work.Path());
    // Signalled once the first tile is in place and a later one is being
    // written, so that its temporary file exists.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!(fs::exists(work / "image001.png") && TemporaryFilesIn(work.Path()) > 0) &&
           std::chrono::steady_clock::now() < deadline) {
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(fs::is_regular_file(work / "image001.png"));
    EXPECT_FALSE(fs::exists(work / "image100.png"));
    EXPECT_EQ(TemporaryFilesIn(work.Path()), 0);
}

// Stopped while a plug-in library hangs in its check, having started a
// process of its own, the program leaves neither that process nor the host.
TEST(CliRun, TerminationDuringAPluginCallLeavesNoHostBehind)
{
    TempFolder work;
    const pid_t child = StartCliProgram(
        {"--file", kJpeg, "--plugin", QM_TEST_PLUGIN_FORKING_ENDLESS_LOOP_IN_IDENTIFY, "--out", "."},
        work.Path(), {{"QM_TEST_PLUGIN_PID_FILE", work / "pids"}});
    const std::vector<pid_t> pids = test::PidsInFile(work / "pids");
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    ASSERT_EQ(pids.size(), 2u);
    for (const pid_t pid : pids) {
        if (!test::ProcessEnds(pid)) {
            ADD_FAILURE() << "left " << pid;
            ::kill(pid, SIGKILL);
        }
    }
}

TEST(CliRun, ClipboardIsReadThroughTheDesktopsTool)
{
    TempFolder work;
    TempFolder tools;
    // Without a display there is no clipboard picture.
    const std::map<std::string, std::string> noDisplay{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}};
    CliResult empty = RunCliProgram({"--clipboard", "--out", work.Path()}, work.Path(), noDisplay);
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "クリップボードから画像を取得できません。\n");

    tools.Write("xclip", "#!/bin/sh\nexec cat '" + kPng + "'\n");
    fs::permissions(tools / "xclip", fs::perms::owner_all);
    const std::map<std::string, std::string> x11{
        {"DISPLAY", ":7"}, {"WAYLAND_DISPLAY", ""}, {"PATH", tools.Path() + ":/usr/bin:/bin"}};
    CliResult pasted = RunCliProgram({"--clipboard", "--out", work.Path()}, work.Path(), x11);
    EXPECT_EQ(pasted.exitCode, 0) << pasted.err;
    EXPECT_TRUE(fs::is_regular_file(work / "image001.bmp"));
}

// Stopped while the desktop's tool writes the clipboard's picture, the
// program removes the temporary file that receives it.
TEST(CliRun, TerminationWhileReadingTheClipboardLeavesNoTemporaryFile)
{
    TempFolder work;
    TempFolder tools;
    TempFolder temporary;
    tools.Write("xclip", "#!/bin/sh\necho $$ > '" + (work / "tool") + "'\nexec sleep 60\n");
    fs::permissions(tools / "xclip", fs::perms::owner_all);
    const pid_t child = StartCliProgram(
        {"--clipboard", "--out", "."}, work.Path(),
        {{"DISPLAY", ":7"}, {"WAYLAND_DISPLAY", ""}, {"PATH", tools.Path() + ":/usr/bin:/bin"},
         {"TMPDIR", temporary.Path()}});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!(fs::exists(work / "tool") && fs::file_size(work / "tool") > 0) &&
           std::chrono::steady_clock::now() < deadline) {
    }
    EXPECT_FALSE(fs::is_empty(temporary.Path()));
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::kill(std::stoi(ReadFile(work / "tool")), SIGKILL);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(fs::is_empty(temporary.Path()));
}

}  // namespace
}  // namespace qm
