// SPDX-License-Identifier: MIT
// The run with encoder threads against the run on one thread: the same
// files with the same bytes (a PNG's time of writing aside), the same
// messages and the same way of ending, for a normal end and every failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>

#include "RecordingPlatform.h"
#include "app/run/MakeTiles.h"
#include "app/run/UMake.h"
#include "core/Errors.h"
#include "engine/ErrorCodes.h"
#include "engine/UmuNone.h"
#include "support/FixedSeed.h"
#include "support/Noise.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::TempFolder;

namespace {

using test::Noise;

// How a run ended and what it left.
struct RunResult {
    std::string End;  // "made", "silent stop" or the error's text
    std::vector<std::string> ErrorBoxes;
    std::map<std::string, std::string> Files;  // name -> bytes without tIME

    bool operator==(const RunResult&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RunResult& result)
{
    out << result.End << "; boxes:";
    for (const std::string& box : result.ErrorBoxes) {
        out << " [" << box << "]";
    }
    out << "; files:";
    for (const auto& [name, bytes] : result.Files) {
        out << " " << name << " (" << bytes.size() << ")";
    }
    return out;
}

template <typename Run>
RunResult Outcome(RecordingPlatform& platform, const std::string& folder, Run run)
{
    platform.errorBoxes.clear();
    RunResult result;
    try {
        run();
        result.End = "made";
    } catch (const SilentStop&) {
        result.End = "silent stop";
    } catch (const ErrorMessage& e) {
        result.End = e.what();
    }
    // The folder differs from run to run; messages name it as <out>.
    const auto anonymous = [&folder](std::string text) {
        for (std::size_t at; (at = text.find(folder)) != std::string::npos;) {
            text.replace(at, folder.size(), "<out>");
        }
        return text;
    };
    result.End = anonymous(result.End);
    for (const std::string& box : platform.errorBoxes) {
        result.ErrorBoxes.push_back(anonymous(box));
    }
    for (const std::string& name : test::NamesIn(folder)) {
        const std::string path = folder + "/" + name;
        result.Files[name] =
            std::filesystem::is_directory(path) ? "(folder)" : test::BytesWithoutTime(path);
    }
    return result;
}

// The sixteen inputs of a run; by default 9 PNG kaleidoscope tiles of a
// clipboard picture with the blur and brightness options.
struct Inputs {
    std::int32_t Count = 9;
    std::uint8_t TransMethod = 1;
    std::string FileName;
    std::string FolderName;
    std::int32_t Size = 64;
    std::uint8_t ImageType = 2;
    std::string OutDirectory;
    std::uint8_t FileSelectType = 2;
};

// Runs with the given thread count into a fresh folder made by prepare(),
// which may block file names.
template <typename Prepare>
RunResult RunMakeImages(unsigned threads, const Inputs& in, const Image& clipboard, Prepare prepare)
{
    const test::FixedSeed seed(77);
    RecordingPlatform platform;
    platform.clipboard = clipboard;
    TempFolder out;
    prepare(out);
    Inputs run = in;
    if (run.OutDirectory.empty()) {
        run.OutDirectory = out.Path() + "/";
    } else {
        run.OutDirectory = out / run.OutDirectory;
    }
    const RunResult result = Outcome(platform, out.Path(), [&] {
        MakeImages(platform, {.Count = run.Count,
                              .TransMethod = run.TransMethod,
                              .FileName = run.FileName,
                              .FolderName = run.FolderName,
                              .SizeX = run.Size,
                              .SizeY = run.Size,
                              .Prefix = "image",
                              .ImageType = run.ImageType,
                              .Quality = 85,
                              .ShadeOffFlag = true,
                              .BrightnessFlag = true,
                              .OutDirectory = run.OutDirectory,
                              .RotateNum = 3,
                              .FileSelectType = run.FileSelectType,
                              .EncoderThreads = threads});
    });
    return result;
}

void ExpectSameOnThreads(const Inputs& in, const Image& clipboard,
                         const std::function<void(const TempFolder&)>& prepare,
                         const std::string& expectedEnd)
{
    const RunResult reference = RunMakeImages(1, in, clipboard, prepare);
    EXPECT_EQ(reference.End, expectedEnd);
    for (const unsigned threads : {2u, 3u}) {
        EXPECT_EQ(RunMakeImages(threads, in, clipboard, prepare), reference)
            << threads << " threads";
    }
}

const auto kNothing = [](const TempFolder&) {};

TEST(ParallelRun, EveryFormatGivesTheOneThreadFiles)
{
    const Image source = Noise(300, 200, 1);
    for (const std::uint8_t imageType : {0, 1, 2}) {
        for (const std::uint8_t method : {1, 5, 10}) {
            Inputs in;
            in.ImageType = imageType;
            in.TransMethod = method;
            in.Count = 12;
            const RunResult reference = RunMakeImages(1, in, source, kNothing);
            ASSERT_EQ(reference.End, "made");
            ASSERT_EQ(reference.Files.size(), 12u);
            EXPECT_EQ(RunMakeImages(2, in, source, kNothing), reference)
                << int{imageType} << " " << int{method};
        }
    }
}

TEST(ParallelRun, FailuresBeforeTheFirstTileEndAsOnOneThread)
{
    const Image source = Noise(100, 100, 2);
    Inputs in;
    in.FileSelectType = 3;
    ExpectSameOnThreads(in, source, kNothing, "FileSelectType invalid.");
    in.FileSelectType = 2;
    ExpectSameOnThreads(in, Image(), kNothing, "silent stop");  // source smaller than the cut
    in.FileSelectType = 1;
    in.FolderName = "/nonexistent-quillmore-folder";
    ExpectSameOnThreads(in, source, kNothing, "イメージファイルが存在しません。");
    in.FileSelectType = 0;
    in.FileName = "/nonexistent-quillmore.bmp";
    ExpectSameOnThreads(in, source, kNothing,
                        "ファイル \"/nonexistent-quillmore.bmp\". No such file or directory は開けません");
    in.FileSelectType = 2;
    in.TransMethod = 8;
    ExpectSameOnThreads(in, source, kNothing, "silent stop");
    in.TransMethod = 1;
    in.Size = 30;
    ExpectSameOnThreads(in, source, kNothing, "silent stop");
}

TEST(ParallelRun, AFileThatCannotBeWrittenEndsTheRunAfterTheTilesBeforeIt)
{
    const Image source = Noise(200, 150, 3);
    Inputs in;
    for (const char* extension : {".bmp", ".jpg", ".png"}) {
        in.ImageType = static_cast<std::uint8_t>(extension[1] == 'b' ? 0 : extension[1] == 'j' ? 1 : 2);
        const std::string name = std::string("image005") + extension;
        ExpectSameOnThreads(
            in, source, [&](const TempFolder& out) { std::filesystem::create_directory(out / name); },
            "ファイル \"<out>/" + name + "\". Is a directory を作成できません");
    }
    in.OutDirectory = "gone/";
    ExpectSameOnThreads(in, source, kNothing,
                        "ファイル \"<out>/gone/image001.png\". No such file or directory を作成できません");
}

// The no-conversion maker, failing at one Make of the run.
class FailingMaker : public TNone {
public:
    explicit FailingMaker(int failAt) : failAt_(failAt) {}

protected:
    void BuildResult() override
    {
        if (++made_ == failAt_) {
            Fail(kErrPieceSize, "piece " + std::to_string(made_));
        }
        TNone::BuildResult();
    }

private:
    int failAt_;
    int made_ = 0;
};

RunResult RunMakeTiles(unsigned threads, int failAt, const std::string& blocked)
{
    const test::FixedSeed seed(5);
    RecordingPlatform platform;
    TempFolder out;
    if (!blocked.empty()) {
        std::filesystem::create_directory(out / blocked);
    }
    FailingMaker maker(failAt);
    EXPECT_TRUE(maker.Prepare(TPoint{48, 40}, false));
    const Image source = Noise(120, 90, 4);
    TileSeries series;
    series.Count = 10;
    series.SizeX = 48;
    series.SizeY = 40;
    series.RangeX = 120 - 48;
    series.RangeY = 90 - 40;
    series.Prefix = "t";
    series.ImageType = 2;
    series.OutDirectory = out.Path() + "/";
    series.EncoderThreads = threads;
    return Outcome(platform, out.Path(), [&] { MakeTiles(platform, {maker, source, series}); });
}

TEST(ParallelRun, AMakerFailureIsReportedOnlyWhenNoEarlierTileFailedToSave)
{
    // Make fails for tile 6: tiles 1 to 5 stay, the maker's error is shown.
    const RunResult reference = RunMakeTiles(1, 6, "");
    EXPECT_EQ(reference.End, "silent stop");
    ASSERT_EQ(reference.ErrorBoxes.size(), 1u);
    EXPECT_EQ(reference.ErrorBoxes[0].substr(reference.ErrorBoxes[0].size() - 7), "piece 6");
    EXPECT_EQ(reference.Files.size(), 5u);
    EXPECT_EQ(RunMakeTiles(2, 6, ""), reference);
    EXPECT_EQ(RunMakeTiles(4, 6, ""), reference);
    EXPECT_EQ(RunMakeTiles(2, 1, ""), RunMakeTiles(1, 1, ""));

    // Tile 3 cannot be written and Make fails for tile 7: one thread ends at
    // tile 3 and never reaches the maker's failure; neither may the threads,
    // though they have made tile 7 by the time tile 3 fails.
    const RunResult blocked = RunMakeTiles(1, 7, "t003.png");
    EXPECT_EQ(blocked.End, "ファイル \"<out>/t003.png\". Is a directory を作成できません");
    EXPECT_TRUE(blocked.ErrorBoxes.empty());
    EXPECT_EQ(blocked.Files.size(), 3u);
    EXPECT_EQ(RunMakeTiles(2, 7, "t003.png"), blocked);
    EXPECT_EQ(RunMakeTiles(3, 7, "t003.png"), blocked);
    // The failing tile right before the maker's failure.
    EXPECT_EQ(RunMakeTiles(2, 4, "t003.png"), RunMakeTiles(1, 4, "t003.png"));
}

}  // namespace
}  // namespace qm
