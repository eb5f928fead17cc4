// SPDX-License-Identifier: MIT
#include "app/window/Main.h"

#include <algorithm>
#include <span>
#include <utility>

#include "app/window/HelpPage.h"
#include "app/SettingRanges.h"
#include "app/TextToInt.h"
#include "app/window/UDlgRotateNum.h"
#include "core/Errors.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

using enum ControlId;

// A dropped file's path goes through a buffer of 260 characters with the
// terminating zero, so the field takes at most 259 of them.
constexpr std::size_t kDroppedPathMax = 259;

constexpr ControlId kSourceGroup[] = {rdbImageFile, rdbSelectImageFolder, rdbSelectImageClipBoard};
constexpr ControlId kMethodGroup[] = {rdbBasic, rdbDll};
constexpr ControlId kImageTypeGroup[] = {rdbBmp, rdbJpeg, rdbPng, rdbTiff};
constexpr ControlId kSourceFields[] = {bbnBrows, edtFileName, bbnSelectImageFolder,
                                       edtSelectImageFolder};
constexpr ControlId kQualityControls[] = {lblQuality, lblLow, lblHigh, srbQuality, edtQuality};

std::size_t Index(ControlId control)
{
    return static_cast<std::size_t>(control);
}

// The first `limit` characters (not bytes) of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t limit)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == limit) {
            return text.substr(0, i);
        }
    }
    return text;
}

}  // namespace

TfrmMain::TfrmMain(Platform& platform, TfrmHtml& frmHtml) : platform_(platform), frmHtml_(frmHtml)
{
    struct Design {
        ControlId control;
        const char* text;
        bool checked;
        bool enabled;
        const char* tooltip;
        int maxLength;
    };
    const Design designs[] = {
        {rdbImageFile, N_("指定のイメージファイル"), true, true, "", 0},
        {bbnBrows, N_("参照(&B)..."), false, true, N_("ダイアログからファイルを選択します。"), 0},
        {edtFileName, "", false, true,
         N_("参照ボタンでファイルを選択するか、ファイル名を入力して下さい。"), 0},
        {rdbSelectImageFolder, N_("指定フォルダのイメージファイル"), false, true, "", 0},
        {bbnSelectImageFolder, N_("参照..."), false, false, "", 0},
        {edtSelectImageFolder, "", false, false, "", 0},
        {rdbSelectImageClipBoard, N_("クリップボードのイメージ"), false, true, "", 0},
        {rdbBasic, N_("基本変換(&F)"), true, true, "", 0},
        {cmbTransMethod, "", false, true, "", 0},
        {bbnDetail, N_("詳細(&Z)..."), false, false, "", 0},
        {rdbDll, N_("外部変換(&E)"), false, true, "", 0},
        {edtDll, "", false, false, "", 0},
        {bbnDll, N_("参照(&R)..."), false, false, "", 0},
        {ckbShuffle, N_("シャッフルする(&S)"), false, true, "", 0},
        {ckbShadeOff, N_("ぼかす(おすすめ)"), false, true, "", 0},
        {ckbBrightness, N_("明るさ変更"), false, true, "", 0},
        {lblSizeY, N_("縦(&V)"), false, true, "", 0},
        {edtSizeY, "32", false, true, "", 3},
        {lblSizeX, N_("横(&L)"), false, false, "", 0},
        {edtSizeX, "32", false, false, "", 3},
        {edtMake, "1", false, true, "", 3},
        {edtPrefix, "image", false, true, "", 0},
        {rdbBmp, "BMP(&I)", true, true, "", 0},
        {rdbJpeg, "Jpeg(&J)", false, true, "", 0},
        {lblQuality, N_("品質(&Q)"), false, false, "", 0},
        {lblLow, N_("低"), false, false, "", 0},
        {lblHigh, N_("高"), false, false, "", 0},
        {srbQuality, "50", false, false, "", 0},
        {edtQuality, "50", false, false, "", 3},
        {rdbPng, "PNG(&P)", false, true, "", 0},
        {rdbTiff, "TIFF", false, true, "", 0},
        {chbHtml, N_("HTMLを出力する(&H)"), false, true, "", 0},
        {bbnHtml, N_("設定..."), false, false, "", 0},
        {edtOutDirectory, "", false, true, N_("画像ファイルとHTMLファイルの出力先を指定します。"), 0},
        {bbnOut, N_("参照(&D)..."), false, true, N_("出力先をダイアログから選択します。"), 0},
        {bbnExecute, N_("作成(&C)"), false, true, "", 0},
        {bbnExit, N_("終了(&X)"), false, true, "", 0},
        {bbnAbout, N_("情報(&A)..."), false, true, "", 0},
        {bbnHelp, N_("ヘルプ(&Y)"), false, true, "", 0},
    };
    static_assert(std::size(designs) == std::tuple_size_v<decltype(controls_)>);
    for (const Design& design : designs) {
        controls_[Index(design.control)] = {T(design.text), design.checked, design.enabled,
                                            T(design.tooltip), design.maxLength};
    }
    Mutable(rdbTiff).visible = extended_.TiffOutput;
    for (const MethodInfo& method : BuiltinMethods()) {
        methodItems_.emplace_back(T(method.itemText));
    }
}

std::uint8_t TfrmMain::SelectedMethodCode() const
{
    return extended_.WallpaperGroups ? MethodCodeOfItemWithGroups(selectedMethod_)
                                     : MethodCodeOfItem(selectedMethod_);
}

void TfrmMain::FormCreate()
{
    creating_ = true;
    SetText(edtFileName, "");
    SetText(edtSelectImageFolder, "");
    ImageFileClick();
    SetText(edtSizeY, "32");
    SizeYChanged();
    SetText(edtSizeX, "32");
    selectedMethod_ = 0;
    Mutable(cmbTransMethod).text = methodItems_.at(0);
    SetText(edtMake, "1");
    SetText(edtPrefix, "image");
    SetText(edtQuality, std::to_string(qualityPosition_));
    BmpOrPngClick(rdbBmp);
    // Registering as a drop target is the view's part: it forwards drops
    // through DropFiles from now on.
    BasicClick();
    SetEnabled(bbnDetail, SelectedMethodCode() == kDistortedSquareCode);
    rotateNum_ = 3;
    SetText(edtOutDirectory, "");
    creating_ = false;
    Notify();
}

const ControlState& TfrmMain::State(ControlId control) const
{
    return controls_.at(Index(control));
}

ControlState& TfrmMain::Mutable(ControlId control)
{
    return controls_.at(Index(control));
}

void TfrmMain::Click(ControlId control)
{
    HandleEvent([this, control] {
        switch (control) {
        case rdbImageFile: ImageFileClick(); break;
        case rdbSelectImageFolder: SelectImageFolderClick(); break;
        case rdbSelectImageClipBoard: SelectImageClipBoardClick(); break;
        case bbnBrows: BrowsClick(); break;
        case bbnSelectImageFolder:
            ChooseFolderInto(T("イメージファイルのあるフォルダの選択"), edtSelectImageFolder);
            break;
        case bbnOut: ChooseFolderInto(T("出力先フォルダの選択"), edtOutDirectory); break;
        case rdbBasic: BasicClick(); break;
        case rdbDll: DllClick(); break;
        case bbnDll: DllBrowsClick(); break;
        case bbnDetail: DetailClick(); break;
        case ckbShuffle:
        case ckbShadeOff:
        case ckbBrightness: Mutable(control).checked = !Checked(control); break;
        case rdbBmp:
        case rdbPng: BmpOrPngClick(control); break;
        case rdbTiff:
            if (State(rdbTiff).visible) {
                BmpOrPngClick(control);
            }
            break;
        case rdbJpeg: JpegClick(); break;
        case chbHtml: HtmlCheckClick(); break;
        case bbnHtml: platform_.ShowHtmlDialog(frmHtml_); break;
        case bbnHelp: OpenHelpPage(platform_); break;
        case bbnAbout: platform_.ShowAboutBox(); break;
        case bbnExit: platform_.CloseMainWindow(); break;
        case bbnExecute: bbnExecuteClick(); break;
        default: break;
        }
    });
}

void TfrmMain::ChangeText(ControlId control, const std::string& text)
{
    HandleEvent([this, control, &text] { SetText(control, text); });
}

void TfrmMain::SelectMethod(int index)
{
    HandleEvent([this, index] {
        const bool listed = index >= 0 && index < static_cast<int>(methodItems_.size());
        selectedMethod_ = listed ? index : -1;
        Mutable(cmbTransMethod).text = listed ? methodItems_[index] : "";
        ApplyMethodRules();
    });
}

void TfrmMain::ExtendedSettingsChanged()
{
    // Cuts up to 2048 take a fourth digit.
    const bool large = extended_.LargeCuts;
    Mutable(edtSizeY).maxLength = large ? 4 : 3;
    Mutable(edtSizeX).maxLength = large ? 4 : 3;
    sizeGroupCaption_ =
        large ? T("切り抜くサイズ（偶数のみ。32～2048）") : T("切り抜くサイズ（偶数のみ。32～256）");
    const std::size_t items =
        BuiltinMethods().size() + (extended_.WallpaperGroups ? GroupMethods().size() : 0);
    if (methodItems_.size() != items) {
        methodItems_.resize(BuiltinMethods().size());
        if (extended_.WallpaperGroups) {
            for (const MethodInfo& group : GroupMethods()) {
                methodItems_.emplace_back(T(group.itemText));
            }
        }
        if (selectedMethod_ >= static_cast<int>(items)) {
            selectedMethod_ = 0;
            Mutable(cmbTransMethod).text = methodItems_.front();
            ApplyMethodRules();
        }
    }
    // TIFF is offered only with its setting; a window that loses it falls
    // back to BMP.
    Mutable(rdbTiff).visible = extended_.TiffOutput;
    if (!extended_.TiffOutput && Checked(rdbTiff)) {
        BmpOrPngClick(rdbBmp);
    }
    Notify();
}

void TfrmMain::MoveQuality(int position)
{
    HandleEvent([this, position] { SetQualityPosition(position); });
}

void TfrmMain::DropFiles(const std::vector<std::string>& paths)
{
    HandleEvent([this, &paths] {
        if (!paths.empty()) {
            SetText(edtFileName, FirstCharacters(paths.front(), kDroppedPathMax));
        }
    });
}

void TfrmMain::HandleEvent(const std::function<void()>& event)
{
    try {
        event();
    } catch (const SilentStop&) {
        // A refusal; its message has been shown.
    } catch (...) {
        Notify();
        throw;
    }
    Notify();
}

void TfrmMain::SetText(ControlId control, const std::string& text)
{
    ControlState& state = Mutable(control);
    if (state.text == text) {
        return;
    }
    state.text = text;
    if (control == edtSizeY) {
        SizeYChanged();
    } else if (control == edtQuality) {
        QualityChanged();
    }
}

void TfrmMain::CheckRadio(ControlId control)
{
    for (const auto& group : {std::span<const ControlId>(kSourceGroup),
                              std::span<const ControlId>(kMethodGroup),
                              std::span<const ControlId>(kImageTypeGroup)}) {
        if (std::find(group.begin(), group.end(), control) != group.end()) {
            for (ControlId member : group) {
                Mutable(member).checked = member == control;
            }
        }
    }
}

void TfrmMain::FocusIfActive(ControlId control)
{
    if (!creating_ && platform_.IsMainWindowActive()) {
        platform_.FocusControl(control);
    }
}

void TfrmMain::Notify()
{
    if (listener_) {
        listener_();
    }
}

void TfrmMain::DisableSourceFields()
{
    for (ControlId control : kSourceFields) {
        SetEnabled(control, false);
    }
}

void TfrmMain::ImageFileClick()
{
    DisableSourceFields();
    CheckRadio(rdbImageFile);
    SetEnabled(bbnBrows, true);
    SetEnabled(edtFileName, true);
    FocusIfActive(edtFileName);
}

void TfrmMain::SelectImageFolderClick()
{
    DisableSourceFields();
    CheckRadio(rdbSelectImageFolder);
    SetEnabled(bbnSelectImageFolder, true);
    SetEnabled(edtSelectImageFolder, true);
    FocusIfActive(edtSelectImageFolder);
}

void TfrmMain::SelectImageClipBoardClick()
{
    DisableSourceFields();
    CheckRadio(rdbSelectImageClipBoard);
}

void TfrmMain::BasicClick()
{
    CheckRadio(rdbBasic);
    SetEnabled(cmbTransMethod, true);
    FocusIfActive(cmbTransMethod);
    SetEnabled(edtDll, false);
    SetEnabled(bbnDll, false);
}

void TfrmMain::DllClick()
{
    CheckRadio(rdbDll);
    SetEnabled(edtDll, true);
    SetEnabled(bbnDll, true);
    FocusIfActive(edtDll);
    SetEnabled(cmbTransMethod, false);
}

void TfrmMain::BmpOrPngClick(ControlId control)
{
    CheckRadio(control);
    for (ControlId quality : kQualityControls) {
        SetEnabled(quality, false);
    }
}

void TfrmMain::JpegClick()
{
    CheckRadio(rdbJpeg);
    for (ControlId quality : kQualityControls) {
        SetEnabled(quality, true);
    }
}

void TfrmMain::BrowsClick()
{
    if (const std::optional<std::string> file = platform_.ChoosePictureFile()) {
        SetText(edtFileName, *file);
    }
}

void TfrmMain::DllBrowsClick()
{
    if (const std::optional<std::string> file = platform_.ChooseLibraryFile()) {
        SetText(edtDll, *file);
    }
}

void TfrmMain::ChooseFolderInto(const char* title, ControlId field)
{
    std::string folder;
    if (platform_.ChooseFolder(title, "/", folder)) {
        SetText(field, folder);
    }
}

void TfrmMain::DetailClick()
{
    if (SelectedMethodCode() != kDistortedSquareCode) {
        platform_.ShowErrorBox("Error: DetailClick");
        throw SilentStop();
    }
    TfrmRotateNum dialog;
    dialog.SetValue(rotateNum_);
    if (platform_.ShowRotateNumDialog(dialog) && SelectedMethodCode() == kDistortedSquareCode) {
        rotateNum_ = dialog.RotateNum;
    }
}

void TfrmMain::HtmlCheckClick()
{
    Mutable(chbHtml).checked = !Checked(chbHtml);
    SetEnabled(bbnHtml, Checked(chbHtml));
}

void TfrmMain::ApplyMethodRules()
{
    const std::uint8_t code = SelectedMethodCode();
    SetEnabled(bbnDetail, code == kDistortedSquareCode);
    const MethodInfo* method = BuiltinMethod(code);
    // A group is selected only while the groups are in the list.
    const bool freeWidth = method != nullptr ? method->freeWidth : GroupTakesFreeWidth(code);
    SetEnabled(lblSizeX, freeWidth);
    SetEnabled(edtSizeX, freeWidth);
    SizeYChanged();
}

void TfrmMain::SizeYChanged()
{
    if (!State(edtSizeX).enabled) {
        SetText(edtSizeX, Text(edtSizeY));
    }
}

void TfrmMain::SetQualityPosition(int position)
{
    const int clamped = std::clamp(position, kQualityMin, kQualityMax);
    if (clamped == qualityPosition_) {
        return;
    }
    qualityPosition_ = clamped;
    Mutable(srbQuality).text = std::to_string(clamped);
    SetText(edtQuality, std::to_string(clamped));
}

void TfrmMain::QualityChanged()
{
    const std::optional<std::int32_t> number = TextToInt(Text(edtQuality));
    if (!number) {
        return;
    }
    SetQualityPosition(*number);
    SetText(edtQuality, std::to_string(qualityPosition_));
}

}  // namespace qm
