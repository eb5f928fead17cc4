// SPDX-License-Identifier: MIT
// The make action of the main window: checks the settings in a fixed order,
// refusing at the first problem, then runs the generation and the HTML step.
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "app/Main.h"
#include "app/MakeTiles.h"
#include "app/MakerFactory.h"
#include "app/OutputFolderLock.h"
#include "app/OutputType.h"
#include "app/RunFiles.h"
#include "app/RunOverview.h"
#include "app/RunTiles.h"
#include "app/SettingRanges.h"
#include "app/SourceImages.h"
#include "app/StaleTemporaries.h"
#include "app/TextToInt.h"
#include "app/UMake.h"
#include "app/UMakeHtml.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"
#include "imageio/OutputNames.h"
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

void TfrmMain::CheckPrintSettings(std::uint8_t TransMethod, const std::string& DllName,
                                  std::int32_t SizeX, std::int32_t SizeY)
{
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
    const std::unique_ptr<TMakeUnit> maker = CreateMaker(TransMethod, DllName, rotateNum_);
    const TPoint cut{SizeX, SizeY};
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
    // The plug-in library's check and the run's preparation share one
    // budget of running time.
    const PluginTimeBudget pluginTime;
    const std::string FileName = Text(edtFileName);
    const std::string FolderName = Text(edtSelectImageFolder);

    std::uint8_t FileSelectType = kSourceImageFile;
    if (Checked(rdbImageFile)) {
        if (!FileExists(FileName)) {
            Refuse(T("ファイルが見つかりません\r\n") + FileName, edtFileName);
        }
    } else if (Checked(rdbSelectImageFolder)) {
        FileSelectType = kSourceFolder;
        if (!DirectoryExists(FolderName)) {
            Refuse(T("フォルダが見つかりません\r\n") + FolderName, edtSelectImageFolder);
        }
        if (Text(edtOutDirectory).empty()) {
            Refuse(T("「指定フォルダのイメージファイル」の時は、「ファイル出力先」を指定して下さい。"),
                   edtOutDirectory);
        }
    } else if (Checked(rdbSelectImageClipBoard)) {
        FileSelectType = kSourceClipboard;
        if (Text(edtOutDirectory).empty()) {
            Refuse(T("「クリップボードのイメージ」の時は、「ファイル出力先」を指定して下さい。"),
                   edtOutDirectory);
        }
    } else {
        platform_.ShowPlainMessage("FileSelectType fail at bbnExecuteClick()");
        throw SilentStop();
    }

    std::uint8_t TransMethod = 0;
    std::string DllName;
    if (Checked(rdbBasic)) {
        TransMethod = MethodCodeOfItem(selectedMethod_);
    } else {
        CheckPluginLibrary(platform_, Text(edtDll));
        TransMethod = kPluginMethodCode;
        DllName = Text(edtDll);
    }

    const std::optional<std::int32_t> SizeX = TextToInt(Text(edtSizeX));
    const std::optional<std::int32_t> SizeY = TextToInt(Text(edtSizeY));
    if (!SizeX || !SizeY || *SizeX % 2 != 0 || *SizeY % 2 != 0) {
        Refuse(T("サイズの指定が不正です"), edtSizeY);
    }

    const std::optional<std::int32_t> Count = TextToInt(Text(edtMake));
    if (!Count || *Count < kCountMin || *Count > kCountMax) {
        Refuse(T("生成枚数の指定が不正です"), edtMake);
    }

    const std::uint8_t ImageType = Checked(rdbBmp)    ? kOutputBmp
                                   : Checked(rdbJpeg) ? kOutputJpeg
                                                      : kOutputPng;

    std::string OutDirectory = Text(edtOutDirectory);
    if (!OutDirectory.empty()) {
        if (!DirectoryExists(OutDirectory)) {
            Refuse(T("ファイル出力先のフォルダが見つかりません。"), edtOutDirectory);
        }
    } else {
        OutDirectory = FolderPartOf(FileName);
    }
    if (!OutDirectory.empty()) {
        OutDirectory += '/';
    }

    const auto Quality = static_cast<std::uint8_t>(qualityPosition_);
    SetText(edtQuality, std::to_string(qualityPosition_));

    const std::string& Prefix = Text(edtPrefix);
    const RunFiles files =
        FilesOfRun(OutDirectory, Prefix, ImageType, *Count,
                   Checked(chbHtml) ? std::optional(frmHtml_.HtmlFileName()) : std::nullopt,
                   FileSelectType == kSourceClipboard, extended_);
    const std::vector<std::string> filesOfRun = files.All();
    if (const std::optional<std::string> repeated = FirstRepeatedPath(filesOfRun)) {
        lastMakeRefusedNames_ = true;
        platform_.ShowErrorBox(Format(T("%s は作成する別のファイルと同じ名前です"), {*repeated}));
        throw SilentStop();
    }
    if (!IsAllowedPrefix(Prefix)) {
        lastMakeRefusedNames_ = true;
        Refuse(T("プレフィックスが不正です"), edtPrefix);
    }

    CheckPrintSettings(TransMethod, DllName, *SizeX, *SizeY);

    {
        const OutputFolderLock lock(platform_, OutDirectory);
        BusyScope busy(platform_);
        RemoveStaleTemporaries(filesOfRun);
        MakeImages(platform_, *Count, TransMethod, FileName, FolderName, *SizeX, *SizeY, Prefix,
                   ImageType, Quality, Checked(ckbShuffle), Checked(ckbShadeOff),
                   Checked(ckbBrightness), DllName, OutDirectory, rotateNum_, FileSelectType, 0,
                   extended_);
        if (Checked(chbHtml)) {
            THtmlParam param;
            param.ImageType = ImageType;
            param.Title = frmHtml_.Title();
            param.NumOfCol = frmHtml_.NumOfCol();
            param.Count = *Count;
            param.Prefix = Prefix;
            param.OutDirectory = OutDirectory;
            param.HtmlFileName = frmHtml_.HtmlFileName();
            param.PopupWidth = frmHtml_.PopupWidth();
            param.PopupHeight = frmHtml_.PopupHeight();
            MakeHtml(param);
        }
        if (extended_.Gallery) {
            WriteGalleryPage(files.Gallery, OutDirectory, files.Tiles);
        }
        if (extended_.ContactSheet) {
            WriteContactSheet(files.Sheet, files.Tiles);
        }
    }
    lastMakeSucceeded_ = true;
    platform_.ShowInfoBox(T("作成しました。"));
}

}  // namespace qm
