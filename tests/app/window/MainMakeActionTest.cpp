// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "MainWindow.h"
#include "app/window/TopLevelHandler.h"
#include "core/Errors.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"
#include "imageio/ImageFiles.h"
#include "imageio/FolderLock.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::NamesIn;
using test::TempFolder;

namespace {

using enum ControlId;
namespace fs = std::filesystem;

const std::string kSource = std::string(QM_FIXTURES) + "/jpeg-bmp/shira_bird8.bmp";

std::string Focus(ControlId control)
{
    return "focus: " + std::to_string(static_cast<int>(control));
}

// The calls of one refused make action: the box, the focus, nothing else.
std::vector<std::string> Refusal(const std::string& text, ControlId field)
{
    return {"error: " + text, Focus(field)};
}

// A window whose source is a copy of a real picture in a fresh folder.
struct Fixture {
    TempFolder folder;
    MainWindow w;

    Fixture()
    {
        folder.CopyIn(kSource, "source.bmp");
        w.main.ChangeText(edtFileName, folder / "source.bmp");
    }

    std::vector<std::string> Execute()
    {
        w.platform.calls.clear();
        w.main.Click(bbnExecute);
        return w.platform.calls;
    }
};

TEST(MainMakeAction, SourceChecksComeFirst)
{
    Fixture f;
    f.w.main.ChangeText(edtSizeY, "33");
    f.w.main.ChangeText(edtFileName, "");
    EXPECT_EQ(f.Execute(), Refusal("ファイルが見つかりません\r\n", edtFileName));
    f.w.main.ChangeText(edtFileName, f.folder / "missing.bmp");
    EXPECT_EQ(f.Execute(), Refusal("ファイルが見つかりません\r\n" + f.folder / "missing.bmp", edtFileName));
    f.w.main.ChangeText(edtFileName, f.folder.Path());
    EXPECT_EQ(f.Execute(), Refusal("ファイルが見つかりません\r\n" + f.folder.Path(), edtFileName));

    f.w.main.Click(rdbSelectImageFolder);
    f.w.main.ChangeText(edtSelectImageFolder, f.folder / "nowhere");
    EXPECT_EQ(f.Execute(), Refusal("フォルダが見つかりません\r\n" + f.folder / "nowhere", edtSelectImageFolder));
    f.w.main.ChangeText(edtSelectImageFolder, f.folder.Path());
    EXPECT_EQ(f.Execute(),
              Refusal("「指定フォルダのイメージファイル」の時は、「ファイル出力先」を指定して下さい。",
                      edtOutDirectory));

    // The clipboard is empty, but the missing output folder is said first.
    f.w.main.Click(rdbSelectImageClipBoard);
    EXPECT_EQ(f.Execute(),
              Refusal("「クリップボードのイメージ」の時は、「ファイル出力先」を指定して下さい。",
                      edtOutDirectory));
    EXPECT_EQ(NamesIn(f.folder.Path()).size(), 1u);
}

TEST(MainMakeAction, PluginCheckComesBetweenSourceAndSize)
{
    Fixture f;
    f.w.main.ChangeText(edtSizeY, "33");
    f.w.main.Click(rdbDll);
    f.w.main.ChangeText(edtDll, f.folder / "nothing.so");
    EXPECT_EQ(f.Execute(),
              std::vector<std::string>{"error: " +
                                       ErrorReportText(kErrLibraryLoad,
                                                       "ファイル[" + f.folder / "nothing.so" + "]")});
}

TEST(MainMakeAction, SizeAndCountChecks)
{
    Fixture f;
    const std::vector<std::string> badSize = Refusal("サイズの指定が不正です", edtSizeY);
    for (const char* size : {"33", "x", "", "3.2"}) {
        f.w.main.ChangeText(edtSizeY, size);
        EXPECT_EQ(f.Execute(), badSize) << size;
    }
    // Only the width is wrong: the focus still goes to the height.
    f.w.main.SelectMethod(kRectangleItem);
    f.w.main.ChangeText(edtSizeY, "64");
    f.w.main.ChangeText(edtSizeX, "41");
    EXPECT_EQ(f.Execute(), badSize);
    f.w.main.ChangeText(edtSizeX, "64");

    // Size comes before count.
    f.w.main.ChangeText(edtMake, "0");
    f.w.main.ChangeText(edtSizeY, "1x");
    EXPECT_EQ(f.Execute(), badSize);
    f.w.main.ChangeText(edtSizeY, "64");
    for (const char* count : {"0", "101", "", "-1", "ten"}) {
        f.w.main.ChangeText(edtMake, count);
        EXPECT_EQ(f.Execute(), Refusal("生成枚数の指定が不正です", edtMake)) << count;
    }

    // 100 passes the count check and is stopped by the next one, the
    // output folder, before anything is written.
    f.w.main.ChangeText(edtMake, "100");
    f.w.main.ChangeText(edtOutDirectory, f.folder / "absent");
    EXPECT_EQ(f.Execute(), Refusal("ファイル出力先のフォルダが見つかりません。", edtOutDirectory));
    EXPECT_EQ(NamesIn(f.folder.Path()).size(), 1u);
}

TEST(MainMakeAction, MissingOutputFolderIsRefusedForEverySource)
{
    Fixture f;
    f.w.main.ChangeText(edtOutDirectory, f.folder / "absent");
    const auto refusal = Refusal("ファイル出力先のフォルダが見つかりません。", edtOutDirectory);
    EXPECT_EQ(f.Execute(), refusal);
    f.w.main.Click(rdbSelectImageFolder);
    f.w.main.ChangeText(edtSelectImageFolder, f.folder.Path());
    EXPECT_EQ(f.Execute(), refusal);
    f.w.main.Click(rdbSelectImageClipBoard);
    f.w.platform.clipboard = Image(64, 64);
    EXPECT_EQ(f.Execute(), refusal);
    EXPECT_EQ(NamesIn(f.folder.Path()).size(), 1u);
}

TEST(MainMakeAction, SuccessfulRunWritesBesideTheSourceAndReportsCompletion)
{
    Fixture f;
    f.w.main.ChangeText(edtMake, "3");
    f.w.main.ChangeText(edtQuality, "abc");
    EXPECT_EQ(f.Execute(), (std::vector<std::string>{"busy: 1", "busy: 0", "info: 作成しました。"}));
    for (const char* name : {"image001.bmp", "image002.bmp", "image003.bmp"}) {
        EXPECT_TRUE(fs::is_regular_file(f.folder / name)) << name;
    }
    EXPECT_EQ(NamesIn(f.folder.Path()).size(), 4u);
    // The quality field shows the bar's position again.
    EXPECT_EQ(f.w.Text(edtQuality), "50");
}

// Large cuts widen the size fields and reach the run; turned off again, the
// window is as before.
TEST(MainMakeAction, LargeCutsWidenTheSizeFieldsAndReachTheRun)
{
    Fixture f;
    TempFolder out;
    f.w.main.Click(rdbSelectImageClipBoard);
    f.w.platform.clipboard = Image(300, 300);
    f.w.main.ChangeText(edtOutDirectory, out.Path());
    f.w.main.ChangeText(edtSizeY, "300");
    f.w.main.Extended().LargeCuts = true;
    f.w.main.ExtendedSettingsChanged();
    EXPECT_EQ(f.w.main.State(edtSizeY).maxLength, 4);
    EXPECT_EQ(f.w.main.State(edtSizeX).maxLength, 4);
    EXPECT_EQ(f.w.main.SizeGroupCaption(), "切り抜くサイズ（偶数のみ。32～2048）");
    EXPECT_EQ(f.Execute(), (std::vector<std::string>{"busy: 1", "busy: 0", "info: 作成しました。"}));
    EXPECT_TRUE(fs::is_regular_file(out / "image001.bmp"));

    f.w.main.Extended().LargeCuts = false;
    f.w.main.ExtendedSettingsChanged();
    EXPECT_EQ(f.w.main.State(edtSizeY).maxLength, 3);
    EXPECT_EQ(f.w.main.SizeGroupCaption(), "切り抜くサイズ（偶数のみ。32～256）");
    EXPECT_EQ(f.Execute(), (std::vector<std::string>{"busy: 1", "error: 切り出した画像が大きすぎます。:1",
                                                     "busy: 0"}));
}

// The wallpaper groups join the method list, the width rule and the run
// only while their setting is on; turned off again, the list, the codes of
// its items and the window are as before.
TEST(MainMakeAction, WallpaperGroupsJoinTheListAndTheRunOnlyWhileTheirSettingIsOn)
{
    Fixture f;
    const std::vector<std::string> methods = f.w.main.MethodItems();
    f.w.main.Extended().WallpaperGroups = true;
    f.w.main.ExtendedSettingsChanged();
    const std::vector<std::string>& items = f.w.main.MethodItems();
    ASSERT_EQ(items.size(), methods.size() + GroupMethods().size());
    EXPECT_TRUE(std::equal(methods.begin(), methods.end(), items.begin()));
    for (std::size_t i = 0; i < GroupMethods().size(); ++i) {
        const MethodInfo& group = GroupMethods()[i];
        const int item = static_cast<int>(methods.size() + i);
        f.w.main.SelectMethod(item);
        EXPECT_EQ(f.w.Text(cmbTransMethod), items[static_cast<std::size_t>(item)]);
        EXPECT_EQ(f.w.main.SelectedMethodCode(), group.code) << group.cliName;
        EXPECT_EQ(f.w.Enabled(edtSizeX), group.freeWidth) << group.cliName;
    }

    f.w.main.SelectMethod(static_cast<int>(methods.size()) + (GroupMethodNamed("pmg")->code - kFirstGroupCode));
    f.w.main.ChangeText(edtSizeX, "64");
    f.w.main.Extended().Layout = RepeatLayout::HalfDrop;
    EXPECT_EQ(f.Execute(), (std::vector<std::string>{"busy: 1", "busy: 0", "info: 作成しました。"}));
    const Image tile = LoadImageFile(f.folder / "image001.bmp");
    EXPECT_EQ(tile.Width(), 2 * 128);
    EXPECT_EQ(tile.Height(), 64);

    f.w.main.Extended().WallpaperGroups = false;
    f.w.main.ExtendedSettingsChanged();
    EXPECT_EQ(f.w.main.MethodItems(), methods);
    EXPECT_EQ(f.w.main.SelectedMethod(), 0);
    EXPECT_EQ(f.w.Text(cmbTransMethod), methods.front());
    EXPECT_FALSE(f.w.Enabled(edtSizeX));
    EXPECT_EQ(f.w.Text(edtSizeX), f.w.Text(edtSizeY));
    for (int item = 0; item < static_cast<int>(methods.size()); ++item) {
        f.w.main.SelectMethod(item);
        EXPECT_EQ(f.w.main.SelectedMethodCode(), MethodCodeOfItem(item)) << item;
    }
}

TEST(MainMakeAction, TiffIsChosenOnlyWhileItsSettingIsOnAndWritesTypeThree)
{
    Fixture f;
    TempFolder out;
    f.w.main.Click(rdbSelectImageClipBoard);
    f.w.platform.clipboard = Image(40, 40);
    f.w.main.ChangeText(edtOutDirectory, out.Path());
    EXPECT_FALSE(f.w.main.State(rdbTiff).visible);
    f.w.main.Click(rdbTiff);
    EXPECT_TRUE(f.w.main.State(rdbBmp).checked);

    f.w.main.Extended().TiffOutput = true;
    f.w.main.ExtendedSettingsChanged();
    EXPECT_TRUE(f.w.main.State(rdbTiff).visible);
    f.w.main.Click(rdbJpeg);
    f.w.main.Click(rdbTiff);
    EXPECT_TRUE(f.w.main.State(rdbTiff).checked);
    EXPECT_FALSE(f.w.main.State(rdbJpeg).checked);
    EXPECT_FALSE(f.w.main.State(srbQuality).enabled);
    f.w.main.Click(chbHtml);
    EXPECT_EQ(f.Execute(), (std::vector<std::string>{"busy: 1", "busy: 0", "info: 作成しました。"}));
    EXPECT_EQ(NamesIn(out.Path()), (std::vector<std::string>{"image001.tif", "list.html"}));
    EXPECT_NE(FileBytes(out / "list.html").find("image001.tif"), std::string::npos);

    // Without the setting the window falls back to BMP.
    f.w.main.Extended().TiffOutput = false;
    f.w.main.ExtendedSettingsChanged();
    EXPECT_FALSE(f.w.main.State(rdbTiff).visible);
    EXPECT_TRUE(f.w.main.State(rdbBmp).checked);
    EXPECT_FALSE(f.w.main.State(rdbTiff).checked);
}

TEST(MainMakeAction, OutputFolderPngAndIndexPage)
{
    Fixture f;
    TempFolder out;
    f.w.main.ChangeText(edtOutDirectory, out.Path());
    f.w.main.ChangeText(edtPrefix, "");
    f.w.main.ChangeText(edtMake, "2");
    f.w.main.Click(rdbPng);
    f.w.main.Click(chbHtml);
    f.w.frmHtml.edtFileName = "index.html";
    ASSERT_TRUE(f.w.frmHtml.OkClick(f.w.platform));
    EXPECT_EQ(f.Execute(), (std::vector<std::string>{"busy: 1", "busy: 0", "info: 作成しました。"}));
    for (const char* name : {"001.png", "002.png", "index.html"}) {
        EXPECT_TRUE(fs::is_regular_file(out / name)) << name;
    }
    EXPECT_EQ(NamesIn(out.Path()).size(), 3u);
}

TEST(MainMakeAction, SourceWithoutFolderPartWritesIntoTheWorkingFolder)
{
    Fixture f;
    const fs::path previous = fs::current_path();
    fs::current_path(f.folder.Path());
    f.w.main.ChangeText(edtFileName, "source.bmp");
    const auto calls = f.Execute();
    fs::current_path(previous);
    EXPECT_EQ(calls.back(), "info: 作成しました。");
    EXPECT_TRUE(fs::is_regular_file(f.folder / "image001.bmp"));
}

TEST(MainMakeAction, FailedRunEndsNotBusyAndWithoutCompletion)
{
    Fixture f;
    // An even size below the limit passes the window and is refused by the
    // maker, which shows its own report.
    f.w.main.ChangeText(edtSizeY, "30");
    const auto calls = f.Execute();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], "busy: 1");
    EXPECT_EQ(calls[1].rfind("error: ", 0), 0u);
    EXPECT_EQ(calls[2], "busy: 0");
    EXPECT_EQ(NamesIn(f.folder.Path()).size(), 1u);

    // A failure with a text of its own goes on to the top-level handler.
    f.w.main.ChangeText(edtSizeY, "32");
    f.w.main.ChangeText(edtOutDirectory, f.folder.Path());
    f.w.main.Click(rdbSelectImageClipBoard);
    f.w.platform.calls.clear();
    EXPECT_THROW(f.w.main.Click(bbnExecute), ErrorMessage);
    EXPECT_EQ(f.w.platform.calls, (std::vector<std::string>{"busy: 1", "busy: 0"}));

    f.w.platform.calls.clear();
    RunUserAction(f.w.platform, [&] { f.w.main.Click(bbnExecute); });
    EXPECT_EQ(f.w.platform.calls,
              (std::vector<std::string>{"busy: 1", "busy: 0",
                                        "application error: クリップボードから画像を取得できません。"}));
    EXPECT_EQ(NamesIn(f.folder.Path()).size(), 1u);
}

TEST(MainMakeAction, StartRemovesTheTemporaryFilesOfEndedProcessesForItsFiles)
{
    Fixture f;
    TempFolder out;
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    const std::string dead = std::to_string(ended);
    const std::string alive = std::to_string(::getpid());
    const std::set<std::string> kept{"t002.png.tmp-" + alive + "-0", "u002.png.tmp-" + dead + "-0",
                                      "t002.bmp.tmp-" + dead + "-0", "t003.png.tmp-" + dead + "-0",
                                      "t002.png.tmp-" + dead + "-0.x"};
    for (const std::string& name : kept) {
        out.Write(name, "x");
    }
    out.Write("t002.png.tmp-" + dead + "-7", "x");
    out.Write("list.html.tmp-" + dead + "-0", "x");
    f.w.main.ChangeText(edtOutDirectory, out.Path());
    f.w.main.ChangeText(edtPrefix, "t");
    f.w.main.ChangeText(edtMake, "2");
    f.w.main.Click(rdbPng);
    f.w.main.Click(chbHtml);
    EXPECT_EQ(f.Execute().back(), "info: 作成しました。");
    std::set<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(out.Path())) {
        left.insert(entry.path().filename().string());
    }
    std::set<std::string> expected = kept;
    expected.insert({"t001.png", "t002.png", "list.html"});
    EXPECT_EQ(left, expected);
}

// The names of the run's files are the last checks, the prefix the very
// last, with the focus on its field; a folder another run is writing into
// is refused next. Nothing is written in any case.
TEST(MainMakeAction, NamesAndTheFolderLockComeLast)
{
    Fixture f;
    TempFolder out;
    f.w.main.ChangeText(edtOutDirectory, out.Path());
    f.w.main.ChangeText(edtMake, "3");
    f.w.main.Extended().Gallery = true;
    f.w.main.Extended().GalleryName = "./image003.bmp";
    EXPECT_EQ(f.Execute(), std::vector<std::string>{"error: " + out.Path() +
                                                    "/./image003.bmp は作成する別のファイルと同じ名前です"});
    f.w.main.Extended().Gallery = false;
    f.w.main.ChangeText(edtPrefix, "sub/../../x");
    f.w.main.ChangeText(edtMake, "0");
    EXPECT_EQ(f.Execute(), Refusal("生成枚数の指定が不正です", edtMake));
    f.w.main.ChangeText(edtMake, "3");
    EXPECT_EQ(f.Execute(), Refusal("プレフィックスが不正です", edtPrefix));
    EXPECT_TRUE(f.w.main.LastMakeRefusedNames());

    f.w.main.ChangeText(edtPrefix, "image");
    {
        const FolderLock other(out.Path());
        ASSERT_EQ(other.Error(), 0);
        EXPECT_EQ(f.Execute(), std::vector<std::string>{"error: 出力フォルダは別の作成が使用中です"});
        EXPECT_FALSE(f.w.main.LastMakeRefusedNames());
    }
    EXPECT_TRUE(fs::is_empty(out.Path()));
    EXPECT_EQ(f.Execute().back(), "info: 作成しました。");
}

TEST(TopLevelHandler, SilentStopIsQuietAndOtherFailuresAreShown)
{
    RecordingPlatform platform;
    RunUserAction(platform, [] { throw SilentStop(); });
    EXPECT_TRUE(platform.calls.empty());
    RunUserAction(platform, [] { throw ErrorMessage("書けません"); });
    RunUserAction(platform, [] { throw std::runtime_error("out of range"); });
    EXPECT_EQ(platform.applicationErrors, (std::vector<std::string>{"書けません", "out of range"}));
}

}  // namespace
}  // namespace qm
