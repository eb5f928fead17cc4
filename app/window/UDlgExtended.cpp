// SPDX-License-Identifier: MIT
#include "app/window/UDlgExtended.h"

#include "app/ExtendedRows.h"

namespace qm {
namespace {

// A row without a check box (a list alone) is always on.
bool CheckedIn(const ExtendedRow& row, const ExtendedSettings& settings)
{
    return row.Checked == nullptr || settings.*row.Checked;
}

}  // namespace

TfrmExtended::TfrmExtended(ExtendedSettings& settings) : settings_(settings)
{
    for (const ExtendedRow& row : ExtendedRows()) {
        Fields.push_back({CheckedIn(row, settings_), row.HasValue() ? row.ValueText(settings_) : ""});
    }
}

void TfrmExtended::Open()
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Fields[i].Checked = CheckedIn(rows[i], settings_);
        // A list shows the stored choice; the texts stay as last typed.
        if (rows[i].Checked == nullptr) {
            Fields[i].Text = rows[i].ValueText(settings_);
        }
    }
}

bool TfrmExtended::OkClick(MessageBoxes& boxes)
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    ExtendedSettings judged = settings_;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Checked != nullptr) {
            judged.*rows[i].Checked = Fields[i].Checked;
        }
        if (CheckedIn(rows[i], judged) && rows[i].HasValue()) {
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
