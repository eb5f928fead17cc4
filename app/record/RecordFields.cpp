// SPDX-License-Identifier: MIT
#include "app/record/RecordFields.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "app/AppInfo.h"
#include "app/ExtendedRows.h"
#include "core/RepeatSizeText.h"
#include "app/SettingRanges.h"
#include "imageio/HexColour.h"
#include "app/TextToInt.h"
#include "app/TileDraw.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Image.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"
#include "engine/RepeatLayout.h"
#include "imageio/OutputNames.h"
#include "imageio/PaletteFile.h"

namespace qm {
namespace {

using nlohmann::json;

// What a rule allows, in the run's language, when value breaks it; nothing
// when it keeps it. A missing field comes as a discarded value. record is
// the whole record, whose earlier rows hold already.
using Rule = std::function<std::optional<std::string>(const json& value, const json& record)>;

struct FieldRule {
    // Keys joined by ".", "[]" after a key for every element of its array.
    std::string Path;
    // Whether a record may lack the field: older records lack newer ones.
    bool Optional;
    Rule Check;
};

constexpr const char* kAllowedPrefix =
    N_("先頭が「/」でなく、「..」の部分も制御文字もない名前");

const json& At(const json& record, const char* pointer)
{
    return record.at(json::json_pointer(pointer));
}

// The numbers of a dotted version; nothing for another text.
std::optional<std::vector<std::int32_t>> VersionNumbers(const std::string& version)
{
    std::vector<std::int32_t> numbers;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = version.find('.', start);
        const std::optional<std::int32_t> number =
            TextToInt(version.substr(start, dot == std::string::npos ? dot : dot - start));
        if (!number || *number < 0) {
            return std::nullopt;
        }
        numbers.push_back(*number);
        if (dot == std::string::npos) {
            return numbers;
        }
        start = dot + 1;
    }
}

// A whole number of the JSON value within [min, max].
bool WholeWithin(const json& value, std::int64_t min, std::int64_t max)
{
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        return number <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) &&
               static_cast<std::int64_t>(number) >= min && static_cast<std::int64_t>(number) <= max;
    }
    return value.is_number_integer() && value.get<std::int64_t>() >= min &&
           value.get<std::int64_t>() <= max;
}

std::string RangeText(const char* pattern, std::int64_t min, std::int64_t max)
{
    return min == max ? std::to_string(min)
                      : Format(T(pattern), {static_cast<long long>(min), static_cast<long long>(max)});
}

// A whole number, or with even an even one, from min to max of the record.
Rule Whole(std::function<std::pair<std::int64_t, std::int64_t>(const json&)> range,
           bool even = false)
{
    return [range = std::move(range), even](const json& value,
                                            const json& record) -> std::optional<std::string> {
        const auto [min, max] = range(record);
        if (WholeWithin(value, min, max) && (!even || value.get<std::int64_t>() % 2 == 0)) {
            return std::nullopt;
        }
        return even ? RangeText(N_("%d から %d までの偶数"), min, max)
                    : RangeText(N_("%d から %d までの整数"), min, max);
    };
}

Rule Whole(std::int64_t min, std::int64_t max)
{
    return Whole([min, max](const json&) { return std::pair{min, max}; });
}

// A whole number from 1 to the record's count.
Rule UpToCount()
{
    return Whole([](const json& record) {
        return std::pair<std::int64_t, std::int64_t>{kCountMin,
                                                     At(record, "/inputs/count").get<std::int64_t>()};
    });
}

// The range of an extended setting's number, as its row in the dialog
// takes it.
Rule ExtendedNumber(int ExtendedSettings::*member)
{
    const auto& rows = ExtendedRows();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [member](const ExtendedRow& r) { return r.Number == member; });
    return Whole(row->Min, row->Max);
}

Rule Check(std::function<bool(const json&)> keeps, const char* allowed)
{
    return [keeps = std::move(keeps), allowed](const json& value,
                                               const json&) -> std::optional<std::string> {
        if (keeps(value)) {
            return std::nullopt;
        }
        return T(allowed);
    };
}

Rule Flag()
{
    return Check([](const json& v) { return v.is_boolean(); }, N_("true または false"));
}

Rule Text()
{
    return Check([](const json& v) { return v.is_string(); }, N_("文字列"));
}

Rule FilledText()
{
    return Check([](const json& v) { return v.is_string() && !v.get_ref<const std::string&>().empty(); },
                 N_("空でない文字列"));
}

Rule Object()
{
    return Check([](const json& v) { return v.is_object(); }, N_("オブジェクト"));
}

// An array of at most the record's count of elements.
Rule ArrayUpToCount()
{
    return [](const json& value, const json& record) -> std::optional<std::string> {
        const auto count = At(record, "/inputs/count").get<std::int64_t>();
        if (value.is_array() && static_cast<std::int64_t>(value.size()) <= count) {
            return std::nullopt;
        }
        return Format(T("%d 個までの配列"), {static_cast<long long>(count)});
    };
}

Rule Array()
{
    return Check([](const json& v) { return v.is_array(); }, N_("配列"));
}

// One of the texts or whole numbers of choices.
Rule OneOf(std::vector<json> choices)
{
    return [choices = std::move(choices)](const json& value,
                                          const json&) -> std::optional<std::string> {
        if (std::find(choices.begin(), choices.end(), value) != choices.end()) {
            return std::nullopt;
        }
        std::string list;
        for (const json& choice : choices) {
            list += (list.empty() ? "" : ", ") +
                    (choice.is_string() ? choice.get<std::string>() : choice.dump());
        }
        return Format(T("%s のいずれか"), {list});
    };
}

// Whether the run had the wallpaper groups; a record of a run before them
// lacks the setting.
bool WallpaperGroupsOn(const json& record)
{
    const json::json_pointer pointer("/inputs/extended/WallpaperGroups");
    return record.contains(pointer) && record.at(pointer).is_boolean() &&
           record.at(pointer).get<bool>();
}

// The method codes a run takes: the groups' too when it had them.
Rule MethodCode()
{
    return [](const json& value, const json& record) {
        std::vector<json> codes;
        for (const MethodInfo& method : BuiltinMethods()) {
            codes.emplace_back(method.code);
        }
        codes.emplace_back(kPluginMethodCode);
        if (WallpaperGroupsOn(record)) {
            for (const MethodInfo& group : GroupMethods()) {
                codes.emplace_back(group.code);
            }
        }
        std::sort(codes.begin(), codes.end());
        return OneOf(std::move(codes))(value, record);
    };
}

bool IsPluginRun(const json& record)
{
    return At(record, "/inputs/method/code") == kPluginMethodCode;
}

bool FreeWidth(const json& record)
{
    const auto code = At(record, "/inputs/method/code").get<std::uint8_t>();
    const MethodInfo* method = BuiltinMethod(code);
    return method != nullptr ? method->freeWidth : GroupTakesFreeWidth(code);
}

std::vector<json> LayoutNames()
{
    std::vector<json> names;
    for (const RepeatLayoutInfo& layout : RepeatLayouts()) {
        names.emplace_back(layout.cliName);
    }
    return names;
}

// The longest cut side of the run: plug-ins take no large cuts.
std::int64_t CutLimit(const json& record)
{
    const bool large =
        !IsPluginRun(record) && record.value(json::json_pointer("/inputs/extended/LargeCuts"), false);
    return large ? TMakeUnit::kLargeCutSide : TMakeUnit::kPixelSide;
}

std::string Decimal(double number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", number);
    return text;
}

const std::vector<FieldRule>& Rules()
{
    static const std::vector<FieldRule> rules = {
        {"inputs", false, Object()},
        {"inputs.method", false, Object()},
        {"inputs.method.code", false, MethodCode()},
        {"inputs.method.name", false, Text()},
        {"inputs.extended", false, Object()},
        {"inputs.extended.Gallery", true, Flag()},
        {"inputs.extended.GalleryName", true, FilledText()},
        {"inputs.extended.ContactSheet", true, Flag()},
        {"inputs.extended.ContactSheetName", true, Text()},
        {"inputs.extended.Fit", true, Flag()},
        {"inputs.extended.FitPercent", true, ExtendedNumber(&ExtendedSettings::FitPercent)},
        {"inputs.extended.SkipFlat", true, Flag()},
        {"inputs.extended.SkipFlatLevel", true, ExtendedNumber(&ExtendedSettings::SkipFlatLevel)},
        {"inputs.extended.AutoOrient", true, Flag()},
        {"inputs.extended.Record", true, Flag()},
        {"inputs.extended.LargeCuts", true, Flag()},
        {"inputs.extended.Dpi", true, Flag()},
        {"inputs.extended.DpiValue", true, ExtendedNumber(&ExtendedSettings::DpiValue)},
        {"inputs.extended.WallpaperGroups", true, Flag()},
        {"inputs.extended.Layout", true, OneOf(LayoutNames())},
        {"inputs.extended.ColourConvert", true, Flag()},
        {"inputs.extended.ColourTags", true, Flag()},
        // The tiles carry either the sRGB tag or the source's own profile.
        {"inputs.extended.KeepProfile", true,
         [](const json& value, const json& record) -> std::optional<std::string> {
             const bool tags = record.value(json::json_pointer("/inputs/extended/ColourTags"), false);
             if (value.is_boolean() && !(tags && value.get<bool>())) {
                 return std::nullopt;
             }
             return T("true または false (ColourTags が true の時は false)");
         }},
        {"inputs.extended.Background", true, Flag()},
        {"inputs.extended.BackgroundColour", true,
         Check([](const json& v) { return v.is_string() && ParseHexColour(v.get<std::string>()); },
               N_("#rrggbb の形の色"))},
        {"inputs.extended.TiffOutput", true, Flag()},
        {"inputs.extended.Smooth", true, Flag()},
        {"inputs.extended.SmoothFactor", true, ExtendedNumber(&ExtendedSettings::SmoothFactor)},
        {"inputs.extended.RepeatSize", true, Flag()},
        {"inputs.extended.RepeatSizeText", true,
         [](const json& value, const json& record) -> std::optional<std::string> {
             const bool asked = record.value(json::json_pointer("/inputs/extended/RepeatSize"), false);
             if (value.is_string() &&
                 (!asked || ParseRepeatSize(value.get_ref<const std::string&>()))) {
                 return std::nullopt;
             }
             return T("8in、20x30cm、2400px のような大きさ");
         }},
        {"inputs.extended.Chroma", true, Flag()},
        {"inputs.extended.ChromaValue", true, OneOf({444, 420})},
        {"inputs.extended.FitAuto", true, Flag()},
        {"inputs.extended.At", true, Flag()},
        {"inputs.extended.AtX", true, Whole(0, Image::kMaxSide)},
        {"inputs.extended.AtY", true, Whole(0, Image::kMaxSide)},
        {"inputs.extended.AtRadius", true, Whole(0, Image::kMaxSide)},
        {"inputs.extended.Colorways", true, Flag()},
        {"inputs.extended.ColorwayCount", true, ExtendedNumber(&ExtendedSettings::ColorwayCount)},
        {"inputs.extended.Palette", true, Flag()},
        {"inputs.extended.PaletteFile", true, Text()},
        // The colours the palette's tiles were mapped onto.
        {"inputs.extended.PaletteColours", true,
         [](const json& value, const json& record) -> std::optional<std::string> {
             const bool palette =
                 record.value(json::json_pointer("/inputs/extended/Palette"), false);
             const std::size_t least = palette ? 2 : 0;
             if (value.is_array() && value.size() >= least && value.size() <= kMaxPaletteColours) {
                 return std::nullopt;
             }
             return Format(T("%d から %d 個の色の配列"),
                           {static_cast<long long>(least),
                            static_cast<long long>(kMaxPaletteColours)});
         }},
        {"inputs.extended.PaletteColours[]", true,
         Check([](const json& v) { return v.is_string() && ColourOfHex(v.get<std::string>()); },
               N_("#rrggbb の色"))},
        {"inputs.cut", false, Object()},
        // With the free width one side may be short if the other is long.
        {"inputs.cut.height", false,
         Whole(
             [](const json& record) {
                 return std::pair<std::int64_t, std::int64_t>{
                     FreeWidth(record) ? 2 : TMakeUnit::kMinCutSide, CutLimit(record)};
             },
             true)},
        // The width follows the height but for the free-width methods and
        // plug-ins.
        {"inputs.cut.width", false,
         Whole(
             [](const json& record) {
                 const auto height = At(record, "/inputs/cut/height").get<std::int64_t>();
                 if (IsPluginRun(record)) {
                     return std::pair<std::int64_t, std::int64_t>{TMakeUnit::kMinCutSide,
                                                                  CutLimit(record)};
                 }
                 if (!FreeWidth(record)) {
                     return std::pair{height, height};
                 }
                 return std::pair<std::int64_t, std::int64_t>{
                     height < TMakeUnit::kMinCutSide ? TMakeUnit::kMinCutSide : 2,
                     CutLimit(record)};
             },
             true)},
        {"inputs.shuffle", false, Flag()},
        {"inputs.blur", false, Flag()},
        {"inputs.brightness", false, Flag()},
        {"inputs.rotate_number", false, Whole(kRotateNumMin, kRotateNumMax)},
        // A plug-in run without its library is refused when the library is
        // checked, as one whose library changed.
        {"inputs.plugin", false,
         Check([](const json& v) { return v.is_null() || v.is_object(); },
               N_("null、または path と sha256 を持つオブジェクト"))},
        {"inputs.plugin.path", false, FilledText()},
        {"inputs.plugin.sha256", false, Text()},
        {"inputs.output", false, Object()},
        {"inputs.output.type", false, OneOf({0, 1, 2, 3})},
        {"inputs.output.quality", false, Whole(kQualityMin, kQualityMax)},
        {"inputs.prefix", false,
         Check([](const json& v) { return v.is_string() && IsAllowedPrefix(v.get<std::string>()); },
               kAllowedPrefix)},
        {"inputs.count", false, Whole(kCountMin, kCountMax)},
        {"source", false, Object()},
        {"source.kind", false, OneOf({"file", "folder", "clipboard"})},
        {"source.path", false, FilledText()},
        {"source.sha256", false, Text()},
        {"source.folder", false,
         [](const json& value, const json& record) -> std::optional<std::string> {
             if (At(record, "/source/kind") == "folder" ? value.is_string() : value.is_null()) {
                 return std::nullopt;
             }
             return T("source.kind が folder の時は文字列、ほかの時は null");
         }},
        {"source.width", false,
         Whole([](const json& record) {
             return std::pair<std::int64_t, std::int64_t>{
                 At(record, "/inputs/cut/width").get<std::int64_t>(), Image::kMaxSide};
         })},
        {"source.height", false,
         Whole([](const json& record) {
             return std::pair<std::int64_t, std::int64_t>{
                 At(record, "/inputs/cut/height").get<std::int64_t>(), Image::kMaxSide};
         })},
        {"source.scale", true,
         Check([](const json& v) { return v.is_number() && v.get<double>() > 0 && v.get<double>() <= 1; },
               N_("0 より大きく 1 以下の数"))},
        {"source.jpeg_scale", true, Whole(1, 7)},
        {"source.profile", true,
         Check([](const json& v) { return v.is_null() || v.is_object(); },
               N_("null、または description と sha256 を持つオブジェクト"))},
        {"source.profile.description", false, Text()},
        {"source.profile.sha256", false, FilledText()},
        {"seeds", false, Array()},
        {"seeds[]", false, Object()},
        {"seeds[].step", false, OneOf({"folder", "shuffle", "run"})},
        {"seeds[].seed", false, Whole(0, std::numeric_limits<std::uint32_t>::max())},
        {"seeds[].from", false, OneOf({"clock", "--seed"})},
        {"tiles", false, ArrayUpToCount()},
        {"tiles[]", false, Object()},
        {"tiles[].number", false,
         [](const json& value, const json& record) -> std::optional<std::string> {
             const auto count = At(record, "/inputs/count").get<std::int64_t>();
             const json& tiles = At(record, "/tiles");
             const auto same = std::count_if(tiles.begin(), tiles.end(), [&](const json& tile) {
                 return tile.is_object() && tile.contains("number") && tile["number"] == value;
             });
             if (WholeWithin(value, kCountMin, count) && same == 1) {
                 return std::nullopt;
             }
             return Format(T("%d から %d までの整数で、ほかの画像と重ならない番号"),
                           {static_cast<long long>(kCountMin), static_cast<long long>(count)});
         }},
        {"tiles[].file", false, Text()},
        // The piece lies inside the recorded picture.
        {"tiles[].x0", false,
         Whole([](const json& record) {
             return std::pair<std::int64_t, std::int64_t>{
                 0, At(record, "/source/width").get<std::int64_t>() -
                        At(record, "/inputs/cut/width").get<std::int64_t>()};
         })},
        {"tiles[].y0", false,
         Whole([](const json& record) {
             return std::pair<std::int64_t, std::int64_t>{
                 0, At(record, "/source/height").get<std::int64_t>() -
                        At(record, "/inputs/cut/height").get<std::int64_t>()};
         })},
        {"tiles[].brightness", false,
         [](const json& value, const json& record) -> std::optional<std::string> {
             if (!At(record, "/inputs/brightness").get<bool>()) {
                 return value.is_null() ? std::nullopt : std::optional<std::string>("null");
             }
             if (value.is_number() && value.get<double>() >= kBrightnessAmountMin &&
                 value.get<double>() < kBrightnessAmountEnd) {
                 return std::nullopt;
             }
             return Format(T("%s 以上 %s 未満の数"),
                           {Decimal(kBrightnessAmountMin), Decimal(kBrightnessAmountEnd)});
         }},
        {"tiles[].tried", true, Whole(1, kSkipFlatPositions)},
        {"end", false, Object()},
        {"end.result", false, OneOf({"made", "failed", "stopped"})},
        {"end.in_place", false, ArrayUpToCount()},
        {"end.in_place[]", false, UpToCount()},
        {"end.failed_tile", false,
         [](const json& value, const json& record) -> std::optional<std::string> {
             const auto count = At(record, "/inputs/count").get<std::int64_t>();
             if (value.is_null() || WholeWithin(value, kCountMin, count)) {
                 return std::nullopt;
             }
             return Format(T("null または %d から %d までの整数"),
                           {static_cast<long long>(kCountMin), static_cast<long long>(count)});
         }},
        {"end.message", false, Text()},
    };
    return rules;
}

// Checks rule on every field that the keys of rest lead to from node, an
// object of the record named where.
void Visit(const FieldRule& rule, const json& record, const json& node,
           std::string_view rest, const std::string& where)
{
    if (!node.is_object()) {
        // The node's own row says whether it may be something else.
        return;
    }
    const std::size_t dot = rest.find('.');
    std::string_view key = rest.substr(0, dot);
    const std::string_view after = dot == std::string_view::npos ? "" : rest.substr(dot + 1);
    const bool each = key.ends_with("[]");
    if (each) {
        key.remove_suffix(2);
    }
    const std::string field = where.empty() ? std::string(key) : where + "." + std::string(key);
    const auto member = node.find(std::string(key));
    if (member == node.end()) {
        if (after.empty() && !each && !rule.Optional) {
            RefuseRecordField(field, *rule.Check(json(json::value_t::discarded), record));
        }
        return;
    }
    const auto checkOrGo = [&](const json& value, const std::string& name) {
        if (after.empty()) {
            if (const std::optional<std::string> allowed = rule.Check(value, record)) {
                RefuseRecordField(name, *allowed);
            }
        } else {
            Visit(rule, record, value, after, name);
        }
    };
    if (!each) {
        checkOrGo(*member, field);
        return;
    }
    if (!member->is_array()) {
        return;
    }
    for (std::size_t i = 0; i < member->size(); ++i) {
        checkOrGo((*member)[i], field + "[" + std::to_string(i) + "]");
    }
}

void CheckVersion(const json& record)
{
    const auto version = record.find("version");
    const std::optional<std::vector<std::int32_t>> theirs =
        version != record.end() && version->is_string()
            ? VersionNumbers(version->get<std::string>())
            : std::nullopt;
    if (!theirs) {
        RefuseRecordField("version", T("1.2.0 のような版番号"));
    }
    if (*theirs > *VersionNumbers(kApplicationVersion)) {
        throw ErrorMessage(Format(T("作成記録の版 %1$s はこのプログラムの版 %2$s より新しいため使えません / "
                                    "the record is of version %1$s, newer than this program's %2$s"),
                                  {version->get<std::string>(), kApplicationVersion}));
    }
}

}  // namespace

void RefuseRecordField(const std::string& path, const std::string& allowed)
{
    constexpr std::string_view kInputs = "inputs.";
    const std::string field = path.starts_with(kInputs) ? path.substr(kInputs.size()) : path;
    throw ErrorMessage(Format(T("作成記録の %s が不正です (%s)"), {field, allowed}));
}

void CheckRecordFields(const json& record)
{
    CheckVersion(record);
    for (const FieldRule& rule : Rules()) {
        Visit(rule, record, record, rule.Path, "");
    }
}

}  // namespace qm
