// SPDX-License-Identifier: MIT
#include "app/record/RunRecord.h"

#include <nlohmann/json.hpp>

#include "app/record/RecordBytes.h"
#include "app/record/RecordFields.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/OutputNames.h"
#include "imageio/PaletteFile.h"
#include "imageio/SourceFile.h"

namespace qm {

// Every extended setting by its member name; a setting added to
// ExtendedSettings is added here, and an older record without it reads as
// the setting's default.
// A layout by its command-line name.
NLOHMANN_JSON_SERIALIZE_ENUM(RepeatLayout, {{RepeatLayout::Block, "block"},
                                            {RepeatLayout::HalfDrop, "half-drop"},
                                            {RepeatLayout::HalfBrick, "half-brick"},
                                            {RepeatLayout::Mirror, "mirror"}})

// A colour as #rrggbb.
void to_json(nlohmann::json& j, const Srgb8& colour)
{
    j = HexOfColour(colour);
}

void from_json(const nlohmann::json& j, Srgb8& colour)
{
    colour = ColourOfHex(j.get<std::string>()).value();
}

NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE_WITH_DEFAULT(ExtendedSettings, Gallery, GalleryName,
                                                ContactSheet, ContactSheetName, Fit, FitPercent,
                                                SkipFlat, SkipFlatLevel, AutoOrient, Record,
                                                LargeCuts, Dpi, DpiValue, WallpaperGroups, Layout,
                                                ColourConvert, ColourTags, KeepProfile,
                                                Background, BackgroundColour, TiffOutput, Smooth,
                                                SmoothFactor, RepeatSize, RepeatSizeText, Chroma,
                                                ChromaValue, Colorways, ColorwayCount, Palette,
                                                PaletteFile, PaletteColours, FitAuto, At, AtX, AtY,
                                                AtRadius)

namespace {

using nlohmann::json;

constexpr const char* kSourceKinds[] = {"file", "folder", "clipboard"};

json OptionalOf(const std::optional<std::int32_t>& value)
{
    return value ? json(*value) : json(nullptr);
}

std::optional<std::int32_t> Int32OrNull(const json& value)
{
    return value.is_null() ? std::nullopt : std::optional(value.get<std::int32_t>());
}

std::uint8_t SourceKindOf(const std::string& name)
{
    for (std::uint8_t kind = 0; kind < std::size(kSourceKinds); ++kind) {
        if (name == kSourceKinds[kind]) {
            return kind;
        }
    }
    throw json::other_error::create(501, "unknown source kind " + name, nullptr);
}

// A first reading of a record's text that builds nothing: it refuses a
// nesting deeper than kMaxRecordDepth and more than kMaxRecordValues
// values before the whole text is built into a JSON document (which takes
// some 20 bytes a value), and throws the library's own parse error.
class RecordShape : public nlohmann::json_sax<json> {
public:
    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Open(); }
    bool key(string_t&) override { return true; }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override
    {
        throw error;
    }

private:
    bool Value()
    {
        if (++values_ > kMaxRecordValues) {
            RefuseRecordField(T("値の数"), Format(T("%d まで"), {kMaxRecordValues}));
        }
        return true;
    }
    bool Open()
    {
        if (++depth_ > kMaxRecordDepth) {
            RefuseRecordField(T("入れ子の深さ"), Format(T("%d まで"), {kMaxRecordDepth}));
        }
        return Value();
    }
    bool Close()
    {
        --depth_;
        return true;
    }

    int depth_ = 0;
    long values_ = 0;
};

json ParseChecked(const std::string& text)
{
    RecordShape shape;
    json::sax_parse(text, &shape);
    return json::parse(text);
}

}  // namespace

std::string RecordPath(const std::string& outDirectory, const std::string& prefix)
{
    return outDirectory + RecordName(prefix);
}

std::string RecordPicturePath(const std::string& outDirectory, const std::string& prefix)
{
    return outDirectory + RecordPictureName(prefix);
}

std::string RenderRecord(const RunRecordData& r)
{
    json seeds = json::array();
    for (const RecordedSeed& seed : r.Seeds) {
        seeds.push_back({{"step", seed.Step},
                         {"seed", seed.Seed},
                         {"from", seed.Fixed ? "--seed" : "clock"}});
    }
    json tiles = json::array();
    for (const RecordedTile& tile : r.Tiles) {
        json entry = {{"number", tile.Number},
                      {"file", tile.File},
                      {"x0", tile.Draw.X0},
                      {"y0", tile.Draw.Y0},
                      {"brightness", tile.Draw.Amount ? json(*tile.Draw.Amount) : json(nullptr)}};
        if (r.ExtendedSettings.SkipFlat) {
            entry["tried"] = tile.Draw.Tried;
        }
        tiles.push_back(std::move(entry));
    }
    json inPlace = json::array();
    for (std::size_t number = 1; number <= r.End.InPlace; ++number) {
        inPlace.push_back(number);
    }
    json record = {
        {"program", "Quillmore"},
        {"version", r.Version},
        {"inputs",
         {{"method", {{"code", r.TransMethod}, {"name", r.MethodName}}},
          {"cut", {{"width", r.SizeX}, {"height", r.SizeY}}},
          {"shuffle", r.ShuffleFlag},
          {"blur", r.ShadeOffFlag},
          {"brightness", r.BrightnessFlag},
          {"rotate_number", r.RotateNum},
          {"plugin", r.DllName.empty()
                         ? json(nullptr)
                         : json{{"path", r.DllName}, {"sha256", r.PluginSha256}}},
          {"output", {{"type", r.ImageType}, {"quality", r.Quality}}},
          {"prefix", r.Prefix},
          {"count", r.Count},
          {"extended", r.ExtendedSettings}}},
        {"source",
         {{"kind", kSourceKinds[r.FileSelectType < 3 ? r.FileSelectType : 0]},
          {"path", r.SourcePath},
          {"sha256", r.SourceSha256},
          {"folder", r.FolderName.empty() ? json(nullptr) : json(r.FolderName)},
          {"width", r.SourceWidth},
          {"height", r.SourceHeight},
          {"scale", r.SourceScale},
          {"profile", r.ProfileSha256.empty() ? json(nullptr)
                                              : json{{"description", r.ProfileDescription},
                                                     {"sha256", r.ProfileSha256}}}}},
        {"seeds", seeds},
        {"tiles", tiles},
        {"end",
         {{"result", r.End.Result},
          {"in_place", inPlace},
          {"failed_tile", OptionalOf(r.End.FailedTile)},
          {"message", r.End.Message}}},
    };
    if (r.SourceJpegScale < 8) {
        record["source"]["jpeg_scale"] = r.SourceJpegScale;
    }
    return DumpKeepingBytes(record) + "\n";
}

std::string ReadRecordFile(const std::string& path)
{
    SourceFile file(path);
    std::vector<std::uint8_t> bytes;
    if (file.Size() <= kMaxRecordBytes) {
        file.ReadUpTo(bytes, kMaxRecordBytes + 1);
    }
    // A file that grew while it was read is as large.
    if (file.Size() > kMaxRecordBytes || bytes.size() > kMaxRecordBytes) {
        RefuseRecordField(T("ファイルの大きさ"),
                          Format(T("%d MiB まで"), {static_cast<long>(kMaxRecordBytes >> 20)}));
    }
    return std::string(bytes.begin(), bytes.end());
}

RunRecordData ParseRecord(const std::string& text, const std::string& path)
{
    try {
        json j = ParseChecked(text);
        if (!j.is_object()) {
            throw json::other_error::create(501, "no JSON object", nullptr);
        }
        RestoreBytes(j);
        CheckRecordFields(j);
        RunRecordData r;
        r.Version = j.at("version").get<std::string>();
        const json& in = j.at("inputs");
        r.TransMethod = in.at("method").at("code").get<std::uint8_t>();
        r.MethodName = in.at("method").at("name").get<std::string>();
        r.SizeX = in.at("cut").at("width").get<std::int32_t>();
        r.SizeY = in.at("cut").at("height").get<std::int32_t>();
        r.ShuffleFlag = in.at("shuffle").get<bool>();
        r.ShadeOffFlag = in.at("blur").get<bool>();
        r.BrightnessFlag = in.at("brightness").get<bool>();
        r.RotateNum = in.at("rotate_number").get<std::int32_t>();
        if (!in.at("plugin").is_null()) {
            r.DllName = in.at("plugin").at("path").get<std::string>();
            r.PluginSha256 = in.at("plugin").at("sha256").get<std::string>();
        }
        r.ImageType = in.at("output").at("type").get<std::uint8_t>();
        r.Quality = in.at("output").at("quality").get<std::uint8_t>();
        r.Prefix = in.at("prefix").get<std::string>();
        r.Count = in.at("count").get<std::int32_t>();
        r.ExtendedSettings = in.at("extended").get<ExtendedSettings>();
        // Before the conversion existed, pictures were read as decoded.
        if (!in.at("extended").contains("ColourConvert")) {
            r.ExtendedSettings.ColourConvert = false;
        }
        const json& source = j.at("source");
        r.FileSelectType = SourceKindOf(source.at("kind").get<std::string>());
        r.SourcePath = source.at("path").get<std::string>();
        r.SourceSha256 = source.at("sha256").get<std::string>();
        if (!source.at("folder").is_null()) {
            r.FolderName = source.at("folder").get<std::string>();
        }
        r.SourceWidth = source.at("width").get<std::int32_t>();
        r.SourceHeight = source.at("height").get<std::int32_t>();
        r.SourceScale = source.value("scale", 1.0);
        r.SourceJpegScale = source.value("jpeg_scale", 8);
        if (source.contains("profile") && !source.at("profile").is_null()) {
            r.ProfileDescription = source.at("profile").at("description").get<std::string>();
            r.ProfileSha256 = source.at("profile").at("sha256").get<std::string>();
        }
        for (const json& seed : j.at("seeds")) {
            r.Seeds.push_back({seed.at("step").get<std::string>(),
                               seed.at("seed").get<std::uint32_t>(),
                               seed.at("from").get<std::string>() != "clock"});
        }
        for (const json& tile : j.at("tiles")) {
            RecordedTile t;
            t.Number = tile.at("number").get<std::int32_t>();
            t.File = tile.at("file").get<std::string>();
            t.Draw.X0 = tile.at("x0").get<int>();
            t.Draw.Y0 = tile.at("y0").get<int>();
            if (!tile.at("brightness").is_null()) {
                t.Draw.Amount = tile.at("brightness").get<double>();
            }
            t.Draw.Tried = tile.value("tried", 1);
            r.Tiles.push_back(std::move(t));
        }
        const json& end = j.at("end");
        r.End.Result = end.at("result").get<std::string>();
        r.End.InPlace = end.at("in_place").size();
        r.End.FailedTile = Int32OrNull(end.at("failed_tile"));
        r.End.Message = end.at("message").get<std::string>();
        return r;
    } catch (const json::exception& error) {
        throw ErrorMessage(T("作成記録を読み込めません: ") + path + "\r\n" + error.what());
    }
}

}  // namespace qm
