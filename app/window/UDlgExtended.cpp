// SPDX-License-Identifier: MIT
#include "app/window/UDlgExtended.h"

#include "app/ExtendedRows.h"
#include "core/Translate.h"

namespace qm {

TfrmExtended::TfrmExtended(ExtendedSettings& settings) : settings_(settings)
{
    for (const ExtendedRow& row : ExtendedRows()) {
        Fields.push_back({row.Checked != nullptr && settings_.*row.Checked,
                          row.HasValue() ? row.ValueText(settings_) : "",
                          row.HasChoices() ? row.ChoiceOf(settings_) : 0});
    }
}

void TfrmExtended::Open()
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].HasChoices()) {
            Fields[i].Choice = rows[i].ChoiceOf(settings_);
        } else {
            Fields[i].Checked = settings_.*rows[i].Checked;
        }
    }
}

bool TfrmExtended::OkClick(MessageBoxes& boxes)
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    ExtendedSettings judged = settings_;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].HasChoices()) {
            rows[i].Choose(judged, Fields[i].Choice);
            continue;
        }
        judged.*rows[i].Checked = Fields[i].Checked;
        if (Fields[i].Checked && rows[i].HasValue()) {
            if (const std::optional<std::string> refusal = rows[i].StoreValue(judged, Fields[i].Text)) {
                boxes.ShowErrorBox(*refusal);
                return false;
            }
        }
    }
    // The tiles carry either the sRGB tag or the source's own profile.
    if (judged.ColourTags && judged.KeepProfile) {
        boxes.ShowErrorBox(T("「sRGB を記録する」と「元のプロファイルを残す」は同時に指定できません。"));
        return false;
    }
    settings_ = judged;
    return true;
}

}  // namespace qm
