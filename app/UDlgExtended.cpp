// SPDX-License-Identifier: MIT
#include "app/UDlgExtended.h"

#include "app/ExtendedRows.h"

namespace qm {

TfrmExtended::TfrmExtended(ExtendedSettings& settings) : settings_(settings)
{
    for (const ExtendedRow& row : ExtendedRows()) {
        Fields.push_back({settings_.*row.Checked, row.HasValue() ? row.ValueText(settings_) : ""});
    }
}

void TfrmExtended::Open()
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Fields[i].Checked = settings_.*rows[i].Checked;
    }
}

bool TfrmExtended::OkClick(MessageBoxes& boxes)
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    ExtendedSettings judged = settings_;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        judged.*rows[i].Checked = Fields[i].Checked;
        if (Fields[i].Checked && rows[i].HasValue()) {
            if (const std::optional<std::string> refusal = rows[i].StoreValue(judged, Fields[i].Text)) {
                refusedRow_ = i;
                boxes.ShowErrorBox(*refusal);
                return false;
            }
        }
    }
    if (const std::optional<ExtendedRefusal> refusal = RefuseTogether(judged)) {
        refusedRow_ = refusal->Row;
        boxes.ShowErrorBox(refusal->Message);
        return false;
    }
    settings_ = judged;
    return true;
}

}  // namespace qm
