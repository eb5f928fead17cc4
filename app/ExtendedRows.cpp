// SPDX-License-Identifier: MIT
#include "app/ExtendedRows.h"

namespace qm {
namespace {

// A row whose value is a file name held in member, which must not be empty.
ExtendedRow FileNameRow(std::string caption, bool ExtendedSettings::*checked,
                        std::string ExtendedSettings::*member, bool emptyAllowed)
{
    ExtendedRow row;
    row.Caption = std::move(caption);
    row.Checked = checked;
    row.ValueMaxLength = 255;
    row.ValueText = [member](const ExtendedSettings& settings) { return settings.*member; };
    row.StoreValue = [member, emptyAllowed](ExtendedSettings& settings,
                                            const std::string& text) -> std::optional<std::string> {
        if (text.empty() && !emptyAllowed) {
            return "ファイル名を指定して下さい。";
        }
        settings.*member = text;
        return std::nullopt;
    };
    return row;
}

// A row that is a check box alone.
ExtendedRow CheckBoxRow(std::string caption, bool ExtendedSettings::*checked)
{
    ExtendedRow row;
    row.Caption = std::move(caption);
    row.Checked = checked;
    return row;
}

}  // namespace

const std::vector<ExtendedRow>& ExtendedRows()
{
    static const std::vector<ExtendedRow> rows = {
        FileNameRow("ギャラリーページ", &ExtendedSettings::Gallery, &ExtendedSettings::GalleryName,
                    false),
        FileNameRow("一覧画像", &ExtendedSettings::ContactSheet,
                    &ExtendedSettings::ContactSheetName, true),
        CheckBoxRow("作成記録を残す", &ExtendedSettings::Record),
    };
    return rows;
}

}  // namespace qm
