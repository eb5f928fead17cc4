// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "MainWindow.h"
#include "app/run/CleanStop.h"
#include "app/run/FitPicture.h"
#include "app/run/MakeTiles.h"
#include "app/replay/Replay.h"
#include "app/record/RunRecord.h"
#include "app/run/SourceImages.h"
#include "app/run/UMake.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "effects/ImageEffect.h"
#include "imageio/ImageFiles.h"
#include "imageio/PngWriter.h"
#include "support/Noise.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using enum ControlId;
using test::FileBytes;
using test::NamesIn;
using test::TempFolder;

namespace {

RunRecordData ReadRecord(const std::string& path)
{
    return ParseRecord(FileBytes(path), path);
}

// The text a replay is refused with; empty when it makes its tiles.
std::string ReplayMessage(RecordingPlatform& platform, const ReplayRequest& request)
{
    try {
        ReplayRun(platform, request);
    } catch (const ErrorMessage& e) {
        return e.what();
    }
    return "";
}

ReplayRequest Request(const std::string& record, std::vector<std::int32_t> tiles = {})
{
    ReplayRequest request;
    request.RecordFile = record;
    request.Tiles = std::move(tiles);
    return request;
}

ExtendedSettings Recording()
{
    ExtendedSettings settings;
    settings.Record = true;
    return settings;
}

// A run of count tiles from 60 x 60 noise, recorded in folder.
struct SmallRecordedRun {
    explicit SmallRecordedRun(std::int32_t count)
    {
        SaveBmp(test::Noise(60, 60, 2), folder / "source.bmp");
        MakeImages(platform, {.Count = count,
                              .TransMethod = 1,
                              .FileName = folder / "source.bmp",
                              .SizeX = 32,
                              .SizeY = 32,
                              .ImageType = 0,
                              .Quality = 50,
                              .OutDirectory = folder.Path() + "/",
                              .RotateNum = 3,
                              .FileSelectType = kSourceImageFile,
                              .EncoderThreads = 1,
                              .ExtendedSettings = Recording()});
        text = FileBytes(folder / "record.json");
    }

    // The replay's message for the record with each `from` replaced by its `to`.
    std::string ReplayEdited(const std::vector<std::pair<std::string, std::string>>& edits,
                             bool fullResolution)
    {
        std::string changed = text;
        for (const auto& [from, to] : edits) {
            changed.replace(changed.find(from), from.size(), to);
        }
        folder.Write("edited.json", changed);
        ReplayRequest request = Request(folder / "edited.json");
        request.FullResolution = fullResolution;
        return ReplayMessage(platform, request);
    }

    TempFolder folder;
    RecordingPlatform platform;
    std::string text;
};

std::vector<std::string> Steps(const RunRecordData& record)
{
    std::vector<std::string> steps;
    for (const RecordedSeed& seed : record.Seeds) {
        steps.push_back(seed.Step);
    }
    return steps;
}

// A kaleidoscope run of count BMP tiles from the clipboard picture into
// out, with the record.
void ClipboardRun(RecordingPlatform& platform, const std::string& out, std::int32_t count,
                  unsigned threads = 0)
{
    platform.clipboard = test::Noise(80, 60, 3);
    MakeImages(platform, {.Count = count,
                          .TransMethod = 1,
                          .SizeX = 32,
                          .SizeY = 32,
                          .Prefix = "p",
                          .ImageType = 0,
                          .Quality = 50,
                          .OutDirectory = out + "/",
                          .RotateNum = 3,
                          .FileSelectType = kSourceClipboard,
                          .EncoderThreads = threads,
                          .ExtendedSettings = Recording()});
}

}  // namespace

TEST(RunRecord, ClockSeededWindowRunReplaysByteForByte)
{
    TempFolder folder;
    SaveBmp(test::Noise(90, 70, 5), folder / "source.bmp");
    MainWindow w;
    w.main.ChangeText(edtFileName, folder / "source.bmp");
    w.main.ChangeText(edtMake, "6");
    w.main.Click(ckbShuffle);
    w.main.Click(ckbBrightness);
    w.main.Extended().Record = true;
    w.main.Click(bbnExecute);
    ASSERT_EQ(w.platform.infoBoxes, std::vector<std::string>{"作成しました。"});

    const RunRecordData record = ReadRecord(folder / "imagerecord.json");
    EXPECT_EQ(Steps(record), (std::vector<std::string>{"shuffle", "run"}));
    EXPECT_FALSE(record.Seeds[0].Fixed);
    EXPECT_EQ(record.FileSelectType, kSourceImageFile);
    EXPECT_EQ(record.SourceWidth, 90);
    ASSERT_EQ(record.Tiles.size(), 6u);
    EXPECT_EQ(record.Tiles[5].File, "image006.bmp");
    EXPECT_TRUE(record.Tiles[0].Draw.Amount.has_value());
    EXPECT_EQ(record.End.Result, "made");
    EXPECT_EQ(record.End.InPlace, 6u);

    std::vector<std::string> originals;
    for (const RecordedTile& tile : record.Tiles) {
        originals.push_back(FileBytes(folder / tile.File));
        std::filesystem::remove(folder / tile.File);
    }
    EXPECT_EQ(ReplayMessage(w.platform, Request(folder / "imagerecord.json")), "");
    for (std::size_t i = 0; i < originals.size(); ++i) {
        EXPECT_EQ(FileBytes(folder / record.Tiles[i].File), originals[i]) << i;
    }
}

// A picture with a colour profile, its tiles tagged as sRGB and its
// transparency laid on a colour.
TEST(RunRecord, ColourSettingsAndTheProfileAreRecordedAndAnOlderRecordReplaysUnconverted)
{
    TempFolder folder;
    const std::string tagged = std::string(QM_FIXTURES) + "/formats/AdobeRGB-compatible.tif";
    std::filesystem::copy_file(tagged, folder / "source.tif");
    ExtendedSettings settings = Recording();
    settings.ColourTags = true;
    settings.Background = true;
    settings.BackgroundColour = "#102030";
    RecordingPlatform platform;
    MakeImages(platform, {.Count = 3,
                          .TransMethod = 1,
                          .FileName = folder / "source.tif",
                          .SizeX = 32,
                          .SizeY = 32,
                          .ImageType = 2,
                          .Quality = 50,
                          .OutDirectory = folder.Path() + "/",
                          .RotateNum = 3,
                          .FileSelectType = kSourceImageFile,
                          .EncoderThreads = 1,
                          .ExtendedSettings = settings});

    const RunRecordData record = ReadRecord(folder / "record.json");
    EXPECT_TRUE(record.ExtendedSettings.ColourConvert && record.ExtendedSettings.ColourTags);
    EXPECT_EQ(record.ExtendedSettings.BackgroundColour, "#102030");
    DecodeOptions toSrgb;
    toSrgb.Colour = ColourHandling::ToSrgb;
    const DecodedPicture source = LoadPictureFile(tagged, toSrgb);
    EXPECT_EQ(record.ProfileSha256, source.ProfileSha256);
    EXPECT_EQ(record.ProfileDescription, source.ProfileDescription);
    EXPECT_FALSE(record.ProfileDescription.empty());

    const Image made = LoadImageFile(folder / "001.png");
    std::filesystem::remove(folder / "001.png");
    ASSERT_EQ(ReplayMessage(platform, Request(folder / "record.json", {1})), "");
    EXPECT_EQ(LoadImageFile(folder / "001.png"), made);
    EXPECT_NE(FileBytes(folder / "001.png").find("sRGB"), std::string::npos);

    // A record of the time before the conversion: the picture as decoded.
    std::string older = FileBytes(folder / "record.json");
    const std::string convert = "\"ColourConvert\": true,";
    ASSERT_NE(older.find(convert), std::string::npos);
    older.erase(older.find(convert), convert.size());
    folder.Write("older.json", older);
    TempFolder again;
    ReplayRequest request = Request(folder / "older.json", {1});
    request.OutDirectory = again.Path();
    ASSERT_EQ(ReplayMessage(platform, request), "");
    EXPECT_FALSE(ReadRecord(folder / "older.json").ExtendedSettings.ColourConvert);
    EXPECT_FALSE(LoadImageFile(again / "001.png") == LoadImageFile(folder / "001.png"));
}

TEST(RunRecord, FolderPickIsRecordedAndASubsetReplays)
{
    TempFolder pictures;
    TempFolder out;
    TempFolder again;
    // PNG bytes under a JPEG name: the folder's pick reads them all the same.
    const std::vector<std::uint8_t> png = EncodePng(test::Noise(70, 50, 9));
    pictures.Write("x.jpg", std::string(png.begin(), png.end()));
    MainWindow w;
    w.main.Click(rdbSelectImageFolder);
    w.main.ChangeText(edtSelectImageFolder, pictures.Path());
    w.main.ChangeText(edtOutDirectory, out.Path());
    w.main.ChangeText(edtMake, "4");
    w.main.Extended().Record = true;
    // The replay must fit the picture and take the drawn positions as the run did.
    w.main.Extended().Fit = true;
    w.main.Extended().FitPercent = 80;
    w.main.Extended().SkipFlat = true;
    w.main.Click(bbnExecute);

    const RunRecordData record = ReadRecord(out / "imagerecord.json");
    EXPECT_EQ(Steps(record), (std::vector<std::string>{"folder", "run"}));
    EXPECT_EQ(record.FolderName, pictures.Path());
    EXPECT_EQ(record.SourcePath, pictures / "x.jpg");
    EXPECT_EQ(record.SourceWidth, 56);
    EXPECT_DOUBLE_EQ(record.SourceScale, 0.8);
    EXPECT_TRUE(record.ExtendedSettings.Fit && record.ExtendedSettings.SkipFlat);

    ReplayRequest request = Request(out / "imagerecord.json", {3, 2});
    request.OutDirectory = again.Path();
    EXPECT_EQ(ReplayMessage(w.platform, request), "");
    EXPECT_EQ(NamesIn(again.Path()), (std::vector<std::string>{"image002.bmp", "image003.bmp"}));
    EXPECT_EQ(FileBytes(again / "image002.bmp"), FileBytes(out / "image002.bmp"));
    EXPECT_EQ(FileBytes(again / "image003.bmp"), FileBytes(out / "image003.bmp"));
}

TEST(RunRecord, ClipboardPictureIsKeptAndAnotherTypeHasTheSamePixels)
{
    TempFolder out;
    TempFolder again;
    RecordingPlatform platform;
    ClipboardRun(platform, out.Path(), 3);
    EXPECT_EQ(LoadImageFile(out / "precord.png"), *platform.clipboard);
    const RunRecordData record = ReadRecord(out / "precord.json");
    EXPECT_EQ(record.SourcePath, "precord.png");

    platform.clipboard.reset();
    ReplayRequest request = Request(out / "precord.json");
    request.OutDirectory = again.Path();
    request.ImageType = 2;
    request.Prefix = "q";
    EXPECT_EQ(ReplayMessage(platform, request), "");
    for (const char* number : {"001", "002", "003"}) {
        EXPECT_EQ(LoadImageFile(again / ("q" + std::string(number) + ".png")),
                  LoadImageFile(out / ("p" + std::string(number) + ".bmp")));
    }
}

TEST(RunRecord, ReplayRefusesWhatNoLongerMatchesTheRecord)
{
    SmallRecordedRun run(2);
    TempFolder& folder = run.folder;
    RecordingPlatform& platform = run.platform;
    const auto edited = [&](const std::vector<std::pair<std::string, std::string>>& edits) {
        return run.ReplayEdited(edits, false);
    };
    const std::string source = folder / "source.bmp";

    EXPECT_EQ(edited({{"\"version\": \"1.2.0\"", "\"version\": \"1.10.0\""}}),
              "作成記録の版 1.10.0 はこのプログラムの版 1.2.0 より新しいため使えません / the "
              "record is of version 1.10.0, newer than this program's 1.2.0");
    const std::string library = folder / "library.so";
    folder.Write("library.so", "not the recorded library");
    EXPECT_EQ(edited({{"\"code\": 1", "\"code\": 9"},
                      {"\"plugin\": null",
                       "\"plugin\": {\"path\": \"" + library + "\", \"sha256\": \"0\"}"}}),
              "外部変換ライブラリが記録と違います: " + library +
                  " / the plug-in library is missing or differs from the record: " + library);
    EXPECT_EQ(ReplayMessage(platform, Request(folder / "record.json", {3})),
              "作成記録に 3 番の画像はありません / the record holds no tile 3");

    SaveBmp(test::Noise(60, 60, 4), source);
    EXPECT_EQ(ReplayMessage(platform, Request(folder / "record.json")),
              "元画像が記録と違います (SHA-256 が一致しません): " + source +
                  " / the source picture's bytes no longer match the record: " + source);
    std::filesystem::remove(source);
    EXPECT_EQ(ReplayMessage(platform, Request(folder / "record.json")),
              "元画像が見つかりません: " + source + " / the recorded source picture is missing: " +
                  source);
}

TEST(RunRecord, FittedRunReplaysAtFullResolution)
{
    TempFolder folder;
    TempFolder again;
    const Image picture = test::Noise(710, 610, 7);
    SaveBmp(picture, folder / "source.bmp");
    RecordingPlatform platform;
    ExtendedSettings extended = Recording();
    extended.Fit = true;
    extended.FitPercent = 50;
    MakeImages(platform, {.Count = 3,
                          .TransMethod = 1,
                          .FileName = folder / "source.bmp",
                          .SizeX = 128,
                          .SizeY = 128,
                          .ImageType = 0,
                          .Quality = 50,
                          .ShadeOffFlag = true,
                          .BrightnessFlag = true,
                          .OutDirectory = folder.Path() + "/",
                          .RotateNum = 3,
                          .FileSelectType = kSourceImageFile,
                          .EncoderThreads = 1,
                          .ExtendedSettings = extended});
    const RunRecordData record = ReadRecord(folder / "record.json");
    ASSERT_EQ(record.SourceWidth, 298);
    ASSERT_EQ(record.SourceHeight, 256);
    ReplayRequest request = Request(folder / "record.json");
    request.OutDirectory = again.Path();
    request.FullResolution = true;
    EXPECT_EQ(ReplayMessage(platform, request), "");

    // 128 / (256 / 610) is 305, between two even sizes: it goes up, and
    // beyond the 256 of a run without large cuts.
    constexpr int kCut = 306;
    // The full cut's centre where the fitted cut's centre was.
    const auto corner = [](int fittedCorner, int fittedSide, int side) {
        const long c = std::lround((fittedCorner + 64.0) * side / fittedSide - kCut / 2.0);
        return static_cast<int>(std::clamp<long>(c, 0, side - kCut));
    };
    Image blurred = picture;
    Blur(blurred);
    RunSettings large{.TransMethod = 1, .SizeX = kCut, .SizeY = kCut, .RotateNum = 3};
    large.ExtendedSettings.LargeCuts = true;
    const PreparedMaker prepared = PrepareMaker(platform, blurred, large);
    TileSeries series;
    series.SizeX = kCut;
    series.SizeY = kCut;
    Image piece;
    for (const RecordedTile& tile : record.Tiles) {
        ASSERT_TRUE(tile.Draw.Amount.has_value());
        TileDraw draw = tile.Draw;
        draw.X0 = corner(tile.Draw.X0, 298, 710);
        draw.Y0 = corner(tile.Draw.Y0, 256, 610);
        ASSERT_TRUE(MakeTileAt({*prepared.Maker, blurred, series}, draw, piece));
        EXPECT_EQ(LoadImageFile(again / tile.File), prepared.Maker->ResultImage()) << tile.File;
    }
}

// A fitted JPEG is decoded at the scale the fit needs, which the record
// notes and its replay takes again; a record without the scale is replayed
// from the full decode, as every run made it before.
TEST(RunRecord, FittedJpegRecordsItsScaleAndAnOlderRecordReplaysTheFullDecode)
{
    TempFolder folder;
    TempFolder again;
    SaveJpeg(test::Noise(800, 600, 5), folder / "source.jpg", 90);
    RecordingPlatform platform;
    ExtendedSettings extended = Recording();
    extended.Fit = true;
    extended.FitPercent = 25;
    const RunSettings settings{.Count = 3,
                               .TransMethod = 1,
                               .FileName = folder / "source.jpg",
                               .SizeX = 32,
                               .SizeY = 32,
                               .ImageType = 0,
                               .Quality = 50,
                               .OutDirectory = folder.Path() + "/",
                               .RotateNum = 3,
                               .FileSelectType = kSourceImageFile,
                               .EncoderThreads = 1,
                               .ExtendedSettings = extended};
    MakeImages(platform, settings);
    // 2/8 gives 200 x 150 for the fitted 171 x 128, 1/8 too little.
    const RunRecordData record = ReadRecord(folder / "record.json");
    EXPECT_EQ(record.SourceJpegScale, 2);
    ASSERT_EQ(record.SourceWidth, 171);
    ASSERT_EQ(record.SourceHeight, 128);
    EXPECT_DOUBLE_EQ(record.SourceScale, 128.0 / 600.0);
    ReplayRequest request = Request(folder / "record.json");
    request.OutDirectory = again.Path();
    ASSERT_EQ(ReplayMessage(platform, request), "");
    for (const RecordedTile& tile : record.Tiles) {
        EXPECT_EQ(FileBytes(again / tile.File), FileBytes(folder / tile.File)) << tile.File;
    }

    std::string older = FileBytes(folder / "record.json");
    const std::string scale = "\"jpeg_scale\": 2,";
    ASSERT_NE(older.find(scale), std::string::npos);
    older.erase(older.find(scale), scale.size());
    folder.Write("older.json", older);
    TempFolder full;
    request = Request(folder / "older.json");
    request.OutDirectory = full.Path();
    ASSERT_EQ(ReplayMessage(platform, request), "");
    const Image fitted = FitPicture(LoadImageFile(folder / "source.jpg"), 32, 25).Picture;
    const PreparedMaker prepared = PrepareMaker(platform, fitted, settings);
    TileSeries series;
    series.SizeX = 32;
    series.SizeY = 32;
    Image piece;
    bool differs = false;
    for (const RecordedTile& tile : record.Tiles) {
        ASSERT_TRUE(MakeTileAt({*prepared.Maker, fitted, series}, tile.Draw, piece));
        EXPECT_EQ(LoadImageFile(full / tile.File), prepared.Maker->ResultImage()) << tile.File;
        differs =
            differs || !(LoadImageFile(full / tile.File) == LoadImageFile(folder / tile.File));
    }
    EXPECT_TRUE(differs);
}

TEST(RunRecord, FullResolutionRefusesWhatItCannotMakeTheSame)
{
    SmallRecordedRun run(1);
    const auto refusal = [&](const std::string& from, const std::string& to) {
        return run.ReplayEdited({{from, to}}, true);
    };
    EXPECT_EQ(refusal("\"shuffle\": false", "\"shuffle\": true"),
              "シャッフルした作成記録は元の解像度で作り直せません"
              "（ばらばらにする位置が切り抜きサイズで決まるため）。");
    EXPECT_EQ(refusal("\"code\": 1", "\"code\": 9"),
              "外部変換の作成記録は元の解像度で作り直せません。");
    // A picture of 6000 pixels fitted to 60: the cut of 32 becomes 3200.
    EXPECT_EQ(refusal("\"scale\": 1.0", "\"scale\": 0.01"),
              "元の解像度での切り抜きサイズ 3200x3200 は 2048 を超えるため作れません。");
}

TEST(RunRecord, FailedRunSaysWhichTileFailed)
{
    TempFolder out;
    RecordingPlatform platform;
    std::filesystem::create_directory(out / "p002.bmp");
    EXPECT_THROW(ClipboardRun(platform, out.Path(), 3, 1), ErrorMessage);
    const RunRecordData record = ReadRecord(out / "precord.json");
    EXPECT_EQ(record.End.Result, "failed");
    EXPECT_EQ(record.End.FailedTile, 2);
    EXPECT_EQ(record.End.InPlace, 1u);
    EXPECT_NE(record.End.Message.find("p002.bmp"), std::string::npos);
}

// Stopped at any moment, a run leaves a record of exactly the tiles in
// place, the stop's through a temporary file no one can foresee: eight
// encoder threads let the tiles in hand run ahead of those in place, and
// several are put in place inside one Save; with one, tile k - 1 is the last
// in place when tile k is asked for.
TEST(RunRecord, StoppedRunRecordsExactlyTheTilesInPlace)
{
    struct Stop {
        int signal;
        std::int32_t at;
        unsigned threads;
    };
    for (const auto [signal, at, threads] :
         {Stop{SIGTERM, 1, 8}, Stop{SIGTERM, 7, 8}, Stop{SIGTERM, 16, 8}, Stop{SIGKILL, 10, 1}}) {
        TempFolder folder;
        SaveBmp(test::Noise(300, 300, 8), folder / "source.bmp");
        folder.Write("victim", "untouched");
        std::filesystem::create_symlink(folder / "victim", folder / "record.json");
        const pid_t child = ::fork();
        if (child == 0) {
            InstallCleanStop();
            // Where the stop's temporary file once was, for anyone to foresee.
            std::filesystem::create_symlink(
                folder / "victim",
                Format("%s.tmp-%d-4294967296", {folder / "record.json", static_cast<long>(::getpid())}));
            RecordingPlatform platform;
            platform.tileProgress = [&](std::int32_t number, std::int32_t, const std::string&) {
                if (number == at) {
                    ::kill(::getpid(), signal);
                    for (;;) {
                        ::pause();
                    }
                }
                return true;
            };
            MakeImages(platform, {.Count = 16,
                                  .TransMethod = 1,
                                  .FileName = folder / "source.bmp",
                                  .SizeX = 256,
                                  .SizeY = 256,
                                  .ImageType = 2,
                                  .Quality = 50,
                                  .OutDirectory = folder.Path() + "/",
                                  .RotateNum = 3,
                                  .FileSelectType = kSourceImageFile,
                                  .EncoderThreads = threads,
                                  .ExtendedSettings = Recording()});
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;

        std::vector<std::string> tiles;
        for (const std::string& name : NamesIn(folder.Path())) {
            if (name.ends_with(".png")) {
                tiles.push_back(name);
            } else if (signal == SIGTERM) {
                EXPECT_TRUE(name.find(".tmp-") == std::string::npos || name.ends_with("4294967296"))
                    << name;
            }
        }
        const RunRecordData record = ReadRecord(folder / "record.json");
        std::vector<std::string> listed;
        for (const RecordedTile& tile : record.Tiles) {
            listed.push_back(tile.File);
        }
        EXPECT_EQ(listed, tiles) << signal << " at " << at;
        EXPECT_EQ(record.End.InPlace, tiles.size());
        EXPECT_EQ(record.End.Result, "stopped");
        EXPECT_LT(tiles.size(), 16u);
        if (threads == 1) {
            EXPECT_EQ(tiles.size(), static_cast<std::size_t>(at - 1));
        }
        EXPECT_EQ(FileBytes(folder / "victim"), "untouched");
    }
}

// A replay refuses, before it reads the source, a record it cannot trust,
// naming the field and what it takes.
// Every setting the record keeps comes back as it was written, each away
// from its default and the three flags one at a time, and so does the rest
// of the record.
TEST(RunRecord, SettingsReadBackAsWritten)
{
    for (int flag = 0; flag < 3; ++flag) {
        RunRecordData written;
        static_cast<RunSettings&>(written) = RunSettings{.Count = 7,
                                                         .TransMethod = 10,
                                                         .FolderName = "/pictures",
                                                         .SizeX = 40,
                                                         .SizeY = 40,
                                                         .Prefix = "p-",
                                                         .ImageType = 1,
                                                         .Quality = 83,
                                                         .ShuffleFlag = flag == 0,
                                                         .ShadeOffFlag = flag == 1,
                                                         .BrightnessFlag = flag == 2,
                                                         .RotateNum = 11,
                                                         .FileSelectType = kSourceFolder};
        ExtendedSettings& extended = written.ExtendedSettings;
        extended.Gallery = extended.ContactSheet = extended.Fit = extended.SkipFlat = true;
        extended.GalleryName = "g.html";
        extended.ContactSheetName = "s.png";
        extended.FitPercent = 40;
        extended.SkipFlatLevel = 20;
        extended.AutoOrient = false;
        extended.Record = extended.LargeCuts = extended.Dpi = true;
        extended.DpiValue = 600;
        written.Version = "1.0.0";
        written.MethodName = "歪四角";
        written.SourcePath = "/pictures/a.png";
        written.SourceSha256 = "ab";
        written.SourceWidth = 100;
        written.SourceHeight = 90;
        written.SourceScale = 0.5;
        written.Seeds = {{"folder", 5, true}, {"run", 6, false}};
        written.Tiles = {{1, "p-001.jpg", {3, 4, std::nullopt, 2}}};
        if (written.BrightnessFlag) {
            written.Tiles[0].Draw.Amount = 0.125;
        }
        written.End = {"made", 1, std::nullopt, ""};

        const RunRecordData read = ParseRecord(RenderRecord(written), "record.json");
        EXPECT_EQ(static_cast<const RunSettings&>(read), static_cast<const RunSettings&>(written))
            << flag;
        EXPECT_EQ(RenderRecord(read), RenderRecord(written)) << flag;
    }
}

TEST(RunRecord, ReplayRefusesRecordsARunWouldRefuse)
{
    SmallRecordedRun run(2);
    const std::vector<std::pair<std::vector<std::pair<std::string, std::string>>, std::string>> cases = {
        {{{"\"brightness\": false", "\"brightness\": true"}, {"\"brightness\": null", "\"brightness\": 5.0"}},
         "作成記録の tiles[0].brightness が不正です (-0.25 以上 0.25 未満の数)"},
        {{{"\"brightness\": null", "\"brightness\": 0.1"}}, "作成記録の tiles[0].brightness が不正です (null)"},
        {{{"\"quality\": 50", "\"quality\": 500"}}, "作成記録の output.quality が不正です (1 から 100 までの整数)"},
        {{{"\"quality\": 50", "\"quality\": \"50\""}}, "作成記録の output.quality が不正です (1 から 100 までの整数)"},
        {{{"\"height\": 32", "\"height\": 34"}}, "作成記録の cut.width が不正です (34)"},
        {{{"\"code\": 1", "\"code\": 8"}},
         "作成記録の method.code が不正です (1, 2, 3, 4, 5, 6, 7, 9, 10 のいずれか)"},
        {{{"\"type\": 0", "\"type\": 4"}}, "作成記録の output.type が不正です (0, 1, 2, 3 のいずれか)"},
        {{{"\"BackgroundColour\": \"#ffffff\"", "\"BackgroundColour\": \"white\""}},
         "作成記録の extended.BackgroundColour が不正です (#rrggbb の形の色)"},
        {{{"\"ColourTags\": false", "\"ColourTags\": true"}, {"\"KeepProfile\": false", "\"KeepProfile\": true"}},
         "作成記録の extended.KeepProfile が不正です (true または false (ColourTags が true の時は false))"},
        {{{"\"profile\": null", "\"profile\": {\"description\": \"x\"}"}},
         "作成記録の source.profile.sha256 が不正です (空でない文字列)"},
        {{{"\"FitPercent\": 25", "\"FitPercent\": 0"}},
         "作成記録の extended.FitPercent が不正です (1 から 100 までの整数)"},
        {{{"\"count\": 2", "\"count\": 1"}}, "作成記録の tiles が不正です (1 個までの配列)"},
        {{{"\"number\": 2", "\"number\": 1"}},
         "作成記録の tiles[0].number が不正です (1 から 2 までの整数で、ほかの画像と重ならない番号)"},
        {{{"\"x0\": ", "\"x0\": 29, \"was\": "}}, "作成記録の tiles[0].x0 が不正です (0 から 28 までの整数)"},
        {{{"\"rotate_number\": 3", "\"rotate_number\": 21"}}, "作成記録の rotate_number が不正です (2 から 20 までの整数)"},
        {{{"\"seeds\": [", "\"seeds\": [{\"step\": \"run\", \"seed\": -1, \"from\": \"clock\"},"}},
         "作成記録の seeds[0].seed が不正です (0 から 4294967295 までの整数)"},
        {{{"\"failed_tile\": null", "\"failed_tile\": 3"}},
         "作成記録の end.failed_tile が不正です (null または 1 から 2 までの整数)"},
        {{{"\"width\": 60", "\"width\": 30"}}, "作成記録の source.width が不正です (32 から 32768 までの整数)"},
        {{{"\"sha256\"", "\"sha\""}}, "作成記録の source.sha256 が不正です (文字列)"},
        {{{"\"prefix\": \"\"", "\"prefix\": \"\", \"prefix_bytes\": \"2f78\""}},
         "作成記録の prefix が不正です (先頭が「/」でなく、「..」の部分も制御文字もない名前)"},
    };
    for (const auto& [edits, message] : cases) {
        EXPECT_EQ(run.ReplayEdited(edits, false), message) << edits[0].second;
    }

    const std::string deep = std::string(65, '[') + std::string(65, ']');
    run.folder.Write("deep.json", deep);
    EXPECT_EQ(ReplayMessage(run.platform, Request(run.folder / "deep.json")),
              "作成記録の 入れ子の深さ が不正です (64 まで)");
    std::string many = "[0";
    for (int i = 0; i < 100'000; ++i) {
        many += ",0";
    }
    run.folder.Write("many.json", many + "]");
    EXPECT_EQ(ReplayMessage(run.platform, Request(run.folder / "many.json")),
              "作成記録の 値の数 が不正です (100000 まで)");
    // Refused by its size alone, before a byte of it is read.
    std::filesystem::resize_file(run.folder / "many.json", (std::uintmax_t{16} << 20) + 1);
    EXPECT_EQ(ReplayMessage(run.platform, Request(run.folder / "many.json")),
              "作成記録の ファイルの大きさ が不正です (16 MiB まで)");
}

}  // namespace qm
