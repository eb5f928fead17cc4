// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/Controls.h"
#include "app/ExtendedSettings.h"
#include "app/Platform.h"
#include "app/run/RunFiles.h"
#include "app/window/UDlgHtml.h"
#include "core/Translate.h"

namespace qm {

// What the view shows of one control: its text (caption of a button or
// check box, content of a text field, position of the scroll bar as text),
// whether it is checked and whether it is enabled.
struct ControlState {
    std::string text;
    bool checked = false;
    bool enabled = true;
    // Tooltip of the control; empty when it has none.
    std::string tooltip;
    // Most characters the text field takes as the user types; 0 for no limit.
    int maxLength = 0;
    // Whether the window shows the control at all.
    bool visible = true;
};

// The main window as a model: every control's state, the rules that couple
// them, and the make action with its checks. The view shows the state,
// forwards the user's events here, and redraws when told to.
class TfrmMain {
public:
    TfrmMain(Platform& platform, TfrmHtml& frmHtml);

    // The start-up sequence of the window.
    void FormCreate();

    const ControlState& State(ControlId control) const;
    // Items of cmbTransMethod (the wallpaper groups after the methods while
    // the extended setting WallpaperGroups is on), and the selected one (-1
    // for none).
    const std::vector<std::string>& MethodItems() const { return methodItems_; }
    int SelectedMethod() const { return selectedMethod_; }
    // The method code of the selected item (MethodCodeOfItem, or with the
    // groups in the list MethodCodeOfItemWithGroups).
    std::uint8_t SelectedMethodCode() const;
    int QualityPosition() const { return qualityPosition_; }
    std::int32_t RotateNum() const { return rotateNum_; }
    // Whether the last make action ended normally, with "作成しました。";
    // false before the first one and after a refused or failed one.
    bool LastMakeSucceeded() const { return lastMakeSucceeded_; }
    // Whether the last make action was refused for the names of the files
    // it would write: a prefix that is not allowed, or two files of one name.
    bool LastMakeRefusedNames() const { return lastMakeRefusedNames_; }
    // Whether the last make action was refused for its print settings: a
    // repeat size its tiles cannot take, smooth edges with the shuffle or a
    // plug-in.
    bool LastMakeRefusedPrint() const { return lastMakeRefusedPrint_; }
    // With a check, a make action whose files the check finds made already
    // makes nothing and says nothing, once its settings and names have been
    // judged; LastMakeSkipped then tells so.
    void SkipMadeRuns(std::function<bool(const RunFiles&)> made) { skipMade_ = std::move(made); }
    bool LastMakeSkipped() const { return lastMakeSkipped_; }

    // Events of the view. Each event is one user action: a refused setting
    // shows its message and ends the action quietly inside the model; a
    // failure with a text of its own (ErrorMessage, from the make action)
    // leaves the event for the front end's top-level handler
    // (RunUserAction) to show.
    // A button, radio button or check box was clicked. For check boxes and
    // radio buttons the model decides the new checked state.
    void Click(ControlId control);
    // The user changed the text of a text field.
    void ChangeText(ControlId control, const std::string& text);
    // The user chose an item of cmbTransMethod.
    void SelectMethod(int index);
    // The user moved the scroll bar.
    void MoveQuality(int position);
    // Files were dropped on the window.
    void DropFiles(const std::vector<std::string>& paths);

    // The settings of the extended-settings dialog, which the make action
    // applies.
    ExtendedSettings& Extended() { return extended_; }
    const ExtendedSettings& Extended() const { return extended_; }
    // Brings the controls that follow the extended settings up to date (the
    // size fields, and the method list, which loses a selected group when
    // the groups go: the first item is selected then); the dialog and the
    // command line call it after storing the settings.
    void ExtendedSettingsChanged();
    // Caption of the group of the size fields.
    const std::string& SizeGroupCaption() const { return sizeGroupCaption_; }

    // Called after every change of state, so the view can redraw.
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    ControlState& Mutable(ControlId control);
    const std::string& Text(ControlId control) const { return State(control).text; }
    bool Checked(ControlId control) const { return State(control).checked; }
    void SetEnabled(ControlId control, bool enabled) { Mutable(control).enabled = enabled; }
    // Sets a text as the program would; the field's change rule runs only
    // when the text really changes.
    void SetText(ControlId control, const std::string& text);
    void CheckRadio(ControlId control);
    void FocusIfActive(ControlId control);
    void Notify();
    // Runs one event: a silent stop ends it quietly, other failures go on
    // to the caller; the view is told to redraw either way.
    void HandleEvent(const std::function<void()>& event);
    void DisableSourceFields();

    void ImageFileClick();
    void SelectImageFolderClick();
    void SelectImageClipBoardClick();
    void BasicClick();
    void DllClick();
    // BMP, PNG or TIFF: the types without a quality.
    void BmpOrPngClick(ControlId control);
    void JpegClick();
    void BrowsClick();
    void DllBrowsClick();
    void ChooseFolderInto(const char* title, ControlId field);
    void DetailClick();
    void HtmlCheckClick();
    void HelpClick();
    void ApplyMethodRules();
    void SizeYChanged();
    void SetQualityPosition(int position);
    void QualityChanged();
    // The make action with its checks (MainMakeAction.cpp).
    void bbnExecuteClick();
    // A refused setting: its message, the focus on the field to correct,
    // and a silent stop.
    [[noreturn]] void Refuse(const std::string& message, ControlId field);
    // Refuses smooth edges the method cannot take and a repeat size its
    // tiles cannot, before the run reads its source.
    void CheckPrintSettings(const RunSettings& settings);

    Platform& platform_;
    TfrmHtml& frmHtml_;
    std::array<ControlState, static_cast<std::size_t>(ControlId::bbnHelp) + 1> controls_{};
    std::vector<std::string> methodItems_;
    int selectedMethod_ = -1;
    int qualityPosition_ = 50;
    std::int32_t rotateNum_ = 3;
    bool lastMakeSucceeded_ = false;
    bool lastMakeRefusedNames_ = false;
    bool lastMakeRefusedPrint_ = false;
    std::function<bool(const RunFiles&)> skipMade_;
    bool lastMakeSkipped_ = false;
    ExtendedSettings extended_;
    std::string sizeGroupCaption_ = T("切り抜くサイズ（偶数のみ。32～256）");
    // True during the start-up sequence, when the window is not yet active.
    bool creating_ = false;
    std::function<void()> listener_;
};

}  // namespace qm
