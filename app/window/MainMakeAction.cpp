// SPDX-License-Identifier: MIT
// The make action of the main window: checks the settings in a fixed order,
// refusing at the first problem, then runs the generation and the HTML step.
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "app/window/Main.h"
#include "app/run/MakeTiles.h"
#include "app/run/OutputFolderLock.h"
#include "app/OutputType.h"
#include "app/run/RunFiles.h"
#include "app/pages/RunOverview.h"
#include "app/run/MakerFactory.h"
#include "app/run/RunTiles.h"
#include "app/SettingRanges.h"
#include "app/run/SourceImages.h"
#include "app/run/StaleTemporaries.h"
#include "app/TextToInt.h"
#include "app/run/UMake.h"
#include "app/pages/UMakeHtml.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"
#include "imageio/OutputNames.h"
#include "imageio/PaletteFile.h"
#include "plugin/CheckPluginLibrary.h"
#include "plugin/PluginTimeBudget.h"

namespace qm {
namespace {

using enum ControlId;

// An existing file; a folder is not one.
bool FileExists(const std::string& name)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(name, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool DirectoryExists(const std::string& name)
{
    std::error_code error;
    return std::filesystem::is_directory(name, error);
}

// The folder part of a path: up to its last "/", without that "/" unless
// it is the root; empty when the path has no folder part.
std::string FolderPartOf(const std::string& path)
{
    const std::size_t separator = path.rfind('/');
    if (separator == std::string::npos) {
        return "";
    }
    return separator == 0 ? "/" : path.substr(0, separator);
}

// Busy for as long as it lives, however the run ends.
class BusyScope {
public:
    explicit BusyScope(Platform& platform) : platform_(platform) { platform_.SetBusy(true); }
    ~BusyScope() { platform_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Platform& platform_;
};

}  // namespace

void TfrmMain::Refuse(const std::string& message, ControlId field)
{
    platform_.ShowErrorBox(message);
    platform_.FocusControl(field);
    throw SilentStop();
}

void TfrmMain::CheckPrintSettings(const RunSettings& settings)
{
    const std::uint8_t TransMethod = settings.TransMethod;
    if (extended_.Smooth) {
        const std::string refusal = SmoothingRefusal(TransMethod, Checked(ckbShuffle));
        if (!refusal.empty()) {
            lastMakeRefusedPrint_ = true;
            Refuse(refusal, TransMethod == kPluginMethodCode ? edtDll : ckbShuffle);
        }
    }
    // A plug-in's tile is known only once the library has answered; its run
    // refuses the size then.
    if (!extended_.RepeatSize || TransMethod == kPluginMethodCode) {
        return;
    }
    const std::unique_ptr<TMakeUnit> maker = CreateMaker(
        TransMethod, settings.DllName, settings.RotateNum, extended_.WallpaperGroups);
    const TPoint cut{settings.SizeX, settings.SizeY};
    if (!maker) {
        return;
    }
    maker->LargeCuts = extended_.LargeCuts;
    // A cut the maker refuses is the run's to report.
    if (!maker->CheckCut(cut)) {
        return;
    }
    const std::optional<RepeatSize> size =
        RunRepeatSize(*maker, false, cut, extended_.LargeCuts, extended_);
    if (size && size->Problem != RepeatSizeProblem::None) {
        lastMakeRefusedPrint_ = true;
        platform_.ShowErrorBox(size->Message);
        throw SilentStop();
    }
}

void TfrmMain::bbnExecuteClick()
{
    lastMakeSucceeded_ = false;
    lastMakeRefusedNames_ = false;
    lastMakeRefusedPrint_ = false;
    lastMakeSkipped_ = false;
    // The plug-in library's check and the run's preparation share one
    // budget of running time.
    const PluginTimeBudget pluginTime;
    RunSettings settings;
    settings.FileName = Text(edtFileName);
    settings.FolderName = Text(edtSelectImageFolder);

    if (Checked(rdbImageFile)) {
        settings.FileSelectType = kSourceImageFile;
        if (!FileExists(settings.FileName)) {
            Refuse(T("ファイルが見つかりません\r\n") + settings.FileName, edtFileName);
        }
    } else if (Checked(rdbSelectImageFolder)) {
        settings.FileSelectType = kSourceFolder;
        if (!DirectoryExists(settings.FolderName)) {
            Refuse(T("フォルダが見つかりません\r\n") + settings.FolderName,
                   edtSelectImageFolder);
        }
        if (Text(edtOutDirectory).empty()) {
            Refuse(T("「指定フォルダのイメージファイル」の時は、「ファイル出力先」を指定して下さい。"),
                   edtOutDirectory);
        }
    } else if (Checked(rdbSelectImageClipBoard)) {
        settings.FileSelectType = kSourceClipboard;
        if (Text(edtOutDirectory).empty()) {
            Refuse(T("「クリップボードのイメージ」の時は、「ファイル出力先」を指定して下さい。"),
                   edtOutDirectory);
        }
    } else {
        platform_.ShowPlainMessage("FileSelectType fail at bbnExecuteClick()");
        throw SilentStop();
    }

    if (Checked(rdbBasic)) {
        settings.TransMethod = SelectedMethodCode();
    } else {
        CheckPluginLibrary(platform_, Text(edtDll));
        settings.TransMethod = kPluginMethodCode;
        settings.DllName = Text(edtDll);
    }

    const std::optional<std::int32_t> SizeX = TextToInt(Text(edtSizeX));
    const std::optional<std::int32_t> SizeY = TextToInt(Text(edtSizeY));
    if (!SizeX || !SizeY || *SizeX % 2 != 0 || *SizeY % 2 != 0) {
        Refuse(T("サイズの指定が不正です"), edtSizeY);
    }
    settings.SizeX = *SizeX;
    settings.SizeY = *SizeY;

    const std::optional<std::int32_t> Count = TextToInt(Text(edtMake));
    if (!Count || *Count < kCountMin || *Count > kCountMax) {
        Refuse(T("生成枚数の指定が不正です"), edtMake);
    }
    settings.Count = *Count;

    settings.ImageType = Checked(rdbBmp)    ? kOutputBmp
                         : Checked(rdbJpeg) ? kOutputJpeg
                         : Checked(rdbTiff) ? kOutputTiff
                                            : kOutputPng;

    std::string& OutDirectory = settings.OutDirectory;
    OutDirectory = Text(edtOutDirectory);
    if (!OutDirectory.empty()) {
        if (!DirectoryExists(OutDirectory)) {
            Refuse(T("ファイル出力先のフォルダが見つかりません。"), edtOutDirectory);
        }
    } else {
        OutDirectory = FolderPartOf(settings.FileName);
    }
    if (!OutDirectory.empty()) {
        OutDirectory += '/';
    }

    settings.Quality = static_cast<std::uint8_t>(qualityPosition_);
    SetText(edtQuality, std::to_string(qualityPosition_));

    settings.Prefix = Text(edtPrefix);
    settings.ShuffleFlag = Checked(ckbShuffle);
    settings.ShadeOffFlag = Checked(ckbShadeOff);
    settings.BrightnessFlag = Checked(ckbBrightness);
    settings.RotateNum = rotateNum_;
    settings.ExtendedSettings = extended_;
    if (settings.ExtendedSettings.Palette) {
        // Named from the working folder, as the source picture is; the run
        // and its record keep the colours, not the file.
        settings.ExtendedSettings.PaletteColours = ReadPalette(settings.ExtendedSettings.PaletteFile);
    }
    if (Checked(chbHtml)) {
        settings.Html = frmHtml_.Stored();
    }

    const RunFiles files = FilesOfRun(settings);
    const std::vector<std::string> filesOfRun = files.All();
    if (const std::optional<std::string> repeated = FirstRepeatedPath(filesOfRun)) {
        lastMakeRefusedNames_ = true;
        platform_.ShowErrorBox(Format(T("%s は作成する別のファイルと同じ名前です"), {*repeated}));
        throw SilentStop();
    }
    if (!IsAllowedPrefix(settings.Prefix)) {
        lastMakeRefusedNames_ = true;
        Refuse(T("プレフィックスが不正です"), edtPrefix);
    }

    CheckPrintSettings(settings);
    if (skipMade_ && skipMade_(files)) {
        lastMakeSkipped_ = true;
        return;
    }

    {
        const OutputFolderLock lock(platform_, OutDirectory);
        BusyScope busy(platform_);
        RemoveStaleTemporaries(filesOfRun);
        MakeImages(platform_, settings);
        if (settings.Html) {
            MakeHtml({*settings.Html, settings.ImageType, settings.Count, settings.Prefix,
                      OutDirectory});
        }
        if (settings.ExtendedSettings.Gallery) {
            WriteGalleryPage(files.Gallery, OutDirectory, files.Tiles, files.Variants);
        }
        if (settings.ExtendedSettings.ContactSheet) {
            WriteContactSheet(files.Sheet, files.Tiles);
        }
    }
    lastMakeSucceeded_ = true;
    platform_.ShowInfoBox(T("作成しました。"));
}

}  // namespace qm
