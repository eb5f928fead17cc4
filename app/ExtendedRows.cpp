// SPDX-License-Identifier: MIT
#include "app/ExtendedRows.h"

#include <stdexcept>

#include "core/RepeatSizeText.h"
#include "app/SettingRanges.h"
#include "app/TextToInt.h"
#include "core/Translate.h"
#include "engine/RepeatLayout.h"
#include "imageio/HexColour.h"
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
            return T("ファイル名を指定して下さい。");
        }
        settings.*member = text;
        return std::nullopt;
    };
    return row;
}

// A row whose value is a whole number from min to max held in member;
// refusal names what it is.
ExtendedRow NumberRow(std::string caption, bool ExtendedSettings::*checked,
                      int ExtendedSettings::*member, int min, int max, std::string refusal)
{
    ExtendedRow row;
    row.Caption = std::move(caption);
    row.Checked = checked;
    row.ValueMaxLength = static_cast<int>(std::to_string(max).size());
    row.Number = member;
    row.Min = min;
    row.Max = max;
    row.ValueText = [member](const ExtendedSettings& settings) {
        return std::to_string(settings.*member);
    };
    row.StoreValue = [member, min, max, refusal](ExtendedSettings& settings,
                                                 const std::string& text) -> std::optional<std::string> {
        const std::optional<std::int32_t> value = TextToInt(text);
        if (!value || *value < min || *value > max) {
            return refusal;
        }
        settings.*member = *value;
        return std::nullopt;
    };
    return row;
}

// The row of the colour transparent parts are laid on, #rrggbb; it is
// stored in lower case.
ExtendedRow ColourRow(std::string caption, bool ExtendedSettings::*checked,
                      std::string ExtendedSettings::*member, std::string refusal)
{
    ExtendedRow row;
    row.Caption = std::move(caption);
    row.Checked = checked;
    row.ValueMaxLength = 7;
    row.ValueText = [member](const ExtendedSettings& settings) { return settings.*member; };
    row.StoreValue = [member, refusal](ExtendedSettings& settings,
                                       const std::string& text) -> std::optional<std::string> {
        if (!ParseHexColour(text)) {
            return refusal;
        }
        std::string lowered = text;
        for (char& c : lowered) {
            c = c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c;
        }
        settings.*member = lowered;
        return std::nullopt;
    };
    return row;
}

// A row whose value is one of choices, held in member as a whole number.
ExtendedRow ChoiceRow(std::string caption, bool ExtendedSettings::*checked,
                      int ExtendedSettings::*member, std::vector<ExtendedChoice> choices,
                      std::string refusal)
{
    ExtendedRow row;
    row.Caption = std::move(caption);
    row.Checked = checked;
    row.Kind = ExtendedValueKind::Choice;
    row.Choices = std::move(choices);
    row.ValueText = [member](const ExtendedSettings& settings) {
        return std::to_string(settings.*member);
    };
    row.StoreValue = [member, values = row.Choices, refusal](
                         ExtendedSettings& settings, const std::string& text) -> std::optional<std::string> {
        for (const ExtendedChoice& choice : values) {
            if (choice.Value == text) {
                settings.*member = *TextToInt(text);
                return std::nullopt;
            }
        }
        return refusal;
    };
    return row;
}

// The row of the repeat size, a text ParseRepeatSize reads.
ExtendedRow RepeatSizeRow()
{
    ExtendedRow row;
    row.Caption = T("リピートの大きさ");
    row.Checked = &ExtendedSettings::RepeatSize;
    row.Kind = ExtendedValueKind::RepeatSize;
    row.ValueMaxLength = 24;
    row.ValueText = [](const ExtendedSettings& settings) { return settings.RepeatSizeText; };
    row.StoreValue = [](ExtendedSettings& settings,
                        const std::string& text) -> std::optional<std::string> {
        if (!ParseRepeatSize(text)) {
            return T("リピートの大きさは 8in、20x30cm、2400px のように指定して下さい");
        }
        settings.RepeatSizeText = text;
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

// The row of the repeat a tile's file holds: a list of the layouts alone,
// the value the layout's command-line name.
ExtendedRow LayoutRow()
{
    ExtendedRow row;
    row.Caption = T("リピートの型");
    row.Kind = ExtendedValueKind::Choice;
    for (const RepeatLayoutInfo& layout : RepeatLayouts()) {
        row.Choices.push_back({layout.cliName, T(layout.itemText)});
    }
    row.ValueText = [](const ExtendedSettings& settings) {
        for (const RepeatLayoutInfo& layout : RepeatLayouts()) {
            if (layout.layout == settings.Layout) {
                return std::string(layout.cliName);
            }
        }
        return std::string();
    };
    row.StoreValue = [](ExtendedSettings& settings,
                        const std::string& text) -> std::optional<std::string> {
        const RepeatLayoutInfo* layout = RepeatLayoutNamed(text);
        settings.Layout = layout != nullptr ? layout->layout : RepeatLayout::Block;
        return std::nullopt;
    };
    return row;
}

// A number row shown as a spin box.
ExtendedRow SpinRow(ExtendedRow row)
{
    row.Kind = ExtendedValueKind::Spin;
    return row;
}

}  // namespace

const std::vector<ExtendedRow>& ExtendedRows()
{
    static const std::vector<ExtendedRow> rows = {
        FileNameRow(T("ギャラリーページ"), &ExtendedSettings::Gallery, &ExtendedSettings::GalleryName,
                    false),
        FileNameRow(T("一覧画像"), &ExtendedSettings::ContactSheet,
                    &ExtendedSettings::ContactSheetName, true),
        NumberRow(T("写真を縮小"), &ExtendedSettings::Fit, &ExtendedSettings::FitPercent, 1, 100,
                  T("写真を縮小は1～100の整数を指定して下さい。")),
        NumberRow(T("単調な切り抜きを避ける"), &ExtendedSettings::SkipFlat,
                  &ExtendedSettings::SkipFlatLevel, 0, 255,
                  T("単調な切り抜きを避けるは0～255の整数を指定して下さい。")),
        CheckBoxRow(T("撮影時の向きに回転"), &ExtendedSettings::AutoOrient),
        CheckBoxRow(T("作成記録を残す"), &ExtendedSettings::Record),
        CheckBoxRow(T("大きな切り抜き（最大2048）"), &ExtendedSettings::LargeCuts),
        NumberRow(T("解像度 (dpi)"), &ExtendedSettings::Dpi, &ExtendedSettings::DpiValue, 1, kMaxDpi,
                  T("解像度は1～10000の整数を指定して下さい。")),
        CheckBoxRow(T("壁紙群の模様"), &ExtendedSettings::WallpaperGroups),
        LayoutRow(),
        CheckBoxRow(T("色を sRGB に合わせる"), &ExtendedSettings::ColourConvert),
        CheckBoxRow(T("sRGB を記録する"), &ExtendedSettings::ColourTags),
        CheckBoxRow(T("元のプロファイルを残す"), &ExtendedSettings::KeepProfile),
        ColourRow(T("透明部分の色"), &ExtendedSettings::Background,
                  &ExtendedSettings::BackgroundColour,
                  T("透明部分の色は #rrggbb の形で指定して下さい。")),
        CheckBoxRow(T("TIFF で保存できる"), &ExtendedSettings::TiffOutput),
        SpinRow(NumberRow(T("なめらかな縁"), &ExtendedSettings::Smooth,
                          &ExtendedSettings::SmoothFactor, kSmoothFactorLeast, kSmoothFactorMost,
                          T("なめらかな縁は2～4の整数を指定して下さい。"))),
        RepeatSizeRow(),
        ChoiceRow(T("JPEG の色の間引き"), &ExtendedSettings::Chroma, &ExtendedSettings::ChromaValue,
                  {{"444", T("4:4:4 (間引かない)")}, {"420", T("4:2:0 (縦横半分)")}},
                  T("JPEG の色の間引きは 444 か 420 を指定して下さい。")),
    };
    return rows;
}

std::size_t ExtendedRowOf(bool ExtendedSettings::*checked)
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Checked == checked) {
            return i;
        }
    }
    throw std::out_of_range("no extended row of that setting");
}

std::optional<ExtendedRefusal> RefuseTogether(const ExtendedSettings& settings)
{
    if (settings.RepeatSize && !settings.Dpi) {
        const std::optional<RepeatSizeAsked> asked = ParseRepeatSize(settings.RepeatSizeText);
        if (asked && asked->Unit != RepeatUnit::Pixels) {
            return ExtendedRefusal{T("解像度 (dpi) を指定して下さい"),
                                   ExtendedRowOf(&ExtendedSettings::Dpi)};
        }
    }
    // The tiles carry either the sRGB tag or the source's own profile.
    if (settings.ColourTags && settings.KeepProfile) {
        return ExtendedRefusal{
            T("「sRGB を記録する」と「元のプロファイルを残す」は同時に指定できません。"),
            ExtendedRowOf(&ExtendedSettings::KeepProfile)};
    }
    return std::nullopt;
}

}  // namespace qm
