// SPDX-License-Identifier: MIT
#include "app/ExtendedRows.h"

#include "app/TextToInt.h"
#include "imageio/Resolution.h"

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

// The resolution in dots per inch, a whole number from 1 to kMaxDpi.
ExtendedRow DpiRow()
{
    ExtendedRow row;
    row.Caption = "解像度 (dpi)";
    row.Checked = &ExtendedSettings::Dpi;
    row.ValueMaxLength = 5;
    row.ValueText = [](const ExtendedSettings& settings) {
        return std::to_string(settings.DpiValue);
    };
    row.StoreValue = [](ExtendedSettings& settings,
                        const std::string& text) -> std::optional<std::string> {
        const std::optional<std::int32_t> dpi = TextToInt(text);
        if (!dpi || *dpi < 1 || *dpi > kMaxDpi) {
            return "解像度は1～10000の整数を指定して下さい。";
        }
        settings.DpiValue = *dpi;
        return std::nullopt;
    };
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
        ExtendedRow{"大きな切り抜き（最大2048）", &ExtendedSettings::LargeCuts},
        DpiRow(),
    };
    return rows;
}

}  // namespace qm
