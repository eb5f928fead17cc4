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

// The word in the fit's field for a fit the run chooses; "auto" is taken
// in either language.
constexpr const char* kAutoFit = N_("自動");

// row with its unit and tooltip.
ExtendedRow WithHelp(ExtendedRow row, std::string unit, std::string tooltip)
{
    row.Unit = std::move(unit);
    row.Tooltip = std::move(tooltip);
    return row;
}

// The fit's row: a number from 1 to 100 or the word for a fit the run
// chooses.
ExtendedRow FitRow()
{
    ExtendedRow row = NumberRow(T("写真を縮小"), &ExtendedSettings::Fit, &ExtendedSettings::FitPercent,
                                1, 100, T("写真を縮小は1～100の整数か「自動」を指定して下さい。"));
    row.ValueMaxLength = 4;
    row.ValueText = [](const ExtendedSettings& settings) {
        return settings.FitAuto ? T(kAutoFit) : std::to_string(settings.FitPercent);
    };
    row.StoreValue = [number = row.StoreValue](ExtendedSettings& settings,
                                               const std::string& text) -> std::optional<std::string> {
        if (text == kAutoFit || text == "auto") {
            settings.FitAuto = true;
            return std::nullopt;
        }
        std::optional<std::string> refusal = number(settings, text);
        if (!refusal) {
            settings.FitAuto = false;
        }
        return refusal;
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
        WithHelp(FileNameRow(T("ギャラリーページ"), &ExtendedSettings::Gallery, &ExtendedSettings::GalleryName,
                    false),
                 "", T("作成後、タイルを並べて拡大表示もできるギャラリーページを書く (出力先からのファイル名)")),
        WithHelp(FileNameRow(T("一覧画像"), &ExtendedSettings::ContactSheet,
                    &ExtendedSettings::ContactSheetName, true),
                 "", T("全部のタイルを1枚に並べた PNG を書く (空欄なら <prefix>sheet.png)")),
        WithHelp(FitRow(),
                 "%", T("切り抜く前に写真を縮小: 切り抜きの長辺が写真の短辺の 1～100 % になるまで。「自動」なら 10～60 % から選ぶ")),
        WithHelp(NumberRow(T("単調な切り抜きを避ける"), &ExtendedSettings::SkipFlat,
                  &ExtendedSettings::SkipFlatLevel, 0, 255,
                  T("単調な切り抜きを避けるは0～255の整数を指定して下さい。")),
                 T("段階"), T("輝度から最もよく合う平面を引いた標準偏差がこの値 (0～255) 未満の切り抜きを引き直す")),
        WithHelp(CheckBoxRow(T("撮影時の向きに回転"), &ExtendedSettings::AutoOrient),
                 "", T("写真の向きの情報どおりに回転してから切り抜く")),
        WithHelp(CheckBoxRow(T("作成記録を残す"), &ExtendedSettings::Record),
                 "", T("作り直せるように <prefix>record.json を残す")),
        WithHelp(CheckBoxRow(T("大きな切り抜き（最大2048）"), &ExtendedSettings::LargeCuts),
                 "", T("組み込みの変換方法で 2048 までの切り抜きを使えるようにする")),
        WithHelp(NumberRow(T("解像度 (dpi)"), &ExtendedSettings::Dpi, &ExtendedSettings::DpiValue, 1, kMaxDpi,
                  T("解像度は1～10000の整数を指定して下さい。")),
                 "dpi", T("ファイルに記録する解像度 (1～10000 dpi)")),
        WithHelp(CheckBoxRow(T("壁紙群の模様"), &ExtendedSettings::WallpaperGroups),
                 "", T("変換方法の一覧に17の壁紙群の模様を加える")),
        WithHelp(LayoutRow(),
                 "", T("ファイルに書くリピートの型: ブロック、ハーフドロップ、ハーフブリック、鏡像")),
        WithHelp(CheckBoxRow(T("色を sRGB に合わせる"), &ExtendedSettings::ColourConvert),
                 "", T("色プロファイルを持つ写真を読み込む時に sRGB に変換する")),
        WithHelp(CheckBoxRow(T("sRGB を記録する"), &ExtendedSettings::ColourTags),
                 "", T("PNG に sRGB チャンク、JPEG と TIFF に sRGB プロファイルを書く")),
        WithHelp(CheckBoxRow(T("元のプロファイルを残す"), &ExtendedSettings::KeepProfile),
                 "", T("RGB の写真を変換せず、そのプロファイルを PNG、JPEG、TIFF に埋め込む")),
        WithHelp(ColourRow(T("透明部分の色"), &ExtendedSettings::Background,
                  &ExtendedSettings::BackgroundColour,
                  T("透明部分の色は #rrggbb の形で指定して下さい。")),
                 "", T("透明な部分をこの色 (#rrggbb) の上に重ねる")),
        WithHelp(CheckBoxRow(T("TIFF で保存できる"), &ExtendedSettings::TiffOutput),
                 "", T("出力ファイルタイプに TIFF を加える")),
        WithHelp(SpinRow(NumberRow(T("なめらかな縁"), &ExtendedSettings::Smooth,
                          &ExtendedSettings::SmoothFactor, kSmoothFactorLeast, kSmoothFactorMost,
                          T("なめらかな縁は2～4の整数を指定して下さい。"))),
                 T("倍"), T("2～4 倍の切り抜きから作って縮小し、斜めの縁の段差をなくす")),
        WithHelp(RepeatSizeRow(),
                 "", T("タイルをこの大きさ (px、in、cm。in と cm には解像度) に合わせる")),
        WithHelp(ChoiceRow(T("JPEG の色の間引き"), &ExtendedSettings::Chroma, &ExtendedSettings::ChromaValue,
                  {{"444", T("4:4:4 (間引かない)")}, {"420", T("4:2:0 (縦横半分)")}},
                  T("JPEG の色の間引きは 444 か 420 を指定して下さい。")),
                 "", T("JPEG の色を間引かずに書く (4:4:4) か、縦横半分で書く (4:2:0)")),
        WithHelp(NumberRow(T("配色違い"), &ExtendedSettings::Colorways, &ExtendedSettings::ColorwayCount, 1,
                  12, T("配色違いは1～12の整数を指定して下さい。")),
                 T("通り"), T("色相を等分に回した配色違いを画像ごとに書く (1～12 通り、元の画像を含む)")),
        WithHelp(FileNameRow(T("パレット"), &ExtendedSettings::Palette, &ExtendedSettings::PaletteFile,
                    false),
                 "", T("パレットファイル (GIMP の .gpl か 1行に1色 #rrggbb) の色に写した画像も書く")),
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
