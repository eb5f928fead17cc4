// SPDX-License-Identifier: MIT
#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <map>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "app/replay/Replay.h"
#include "app/TextToInt.h"
#include "cli/BatchShare.h"
#include "cli/OptionTable.h"
#include "core/Image.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"
#include "engine/RepeatLayout.h"

namespace qm {
namespace {

// The name that makes --method print the names instead.
constexpr std::string_view kListMethods = "list";

// Declares an option of the table storing into value: a flag for a bool,
// otherwise an option with the table's value name, the value possibly left
// out when that name is in brackets.
template <typename Value>
CLI::Option* Declare(CLI::App& app, const char* name, Value& value)
{
    if constexpr (std::is_same_v<Value, bool>) {
        return app.add_flag(name, value);
    } else {
        const OptionRow& row = OptionRowOf(name);
        CLI::Option* option = app.add_option(name, value)->type_name(row.argument);
        return *row.argument == '[' ? option->expected(0, 1) : option;
    }
}

// The table's exclusions and needs between the declared options.
void Relate(const std::map<std::string, CLI::Option*>& declared)
{
    const std::vector<OptionRow>& rows = OptionTable();
    for (auto row = rows.begin(); row != rows.end(); ++row) {
        if (!declared.contains(row->name)) {
            continue;
        }
        CLI::Option* option = declared.at(row->name);
        for (auto later = std::next(row); later != rows.end(); ++later) {
            if (*row->oneOf != '\0' && std::string_view(row->oneOf) == later->oneOf) {
                option->excludes(declared.at(later->name));
            }
        }
        if (*row->needs != '\0') {
            option->needs(declared.at(row->needs));
        }
        // A replay takes its settings from the record; only where and as
        // what it writes can be changed.
        if (!row->withReplay) {
            declared.at(kReplayOption)->excludes(option);
        }
    }
}

}  // namespace

std::optional<int> MethodItemOfName(const std::string& name)
{
    int item = 0;
    for (const MethodInfo& method : BuiltinMethods()) {
        if (name == method.cliName || name == method.itemText) {
            return item;
        }
        ++item;
    }
    if (const MethodInfo* group = GroupMethodNamed(name)) {
        return item + (group->code - kFirstGroupCode);
    }
    return std::nullopt;
}

std::string MethodNameLines()
{
    std::string lines;
    for (const auto methods : {BuiltinMethods(), GroupMethods()}) {
        for (const MethodInfo& method : methods) {
            lines += method.cliName;
            lines += '\n';
        }
    }
    return lines;
}

void RequireListAlone(const CLI::App& app, const CliOptions& options)
{
    if (!options.listMethods) {
        return;
    }
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0 && option->get_name() != "--method") {
            throw CLI::ExcludesError("--method list", option->get_name());
        }
    }
}

void RequireGalleryOfAlone(const CLI::App& app, const CliOptions& options)
{
    if (!options.galleryOf) {
        return;
    }
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0 && option->get_name() != "--gallery-of" &&
            option->get_name() != "--gallery") {
            throw CLI::ExcludesError("--gallery-of", option->get_name());
        }
    }
}

std::optional<CutPlace> ParseCutPlace(const std::string& text)
{
    const std::size_t comma = text.find(',');
    const std::size_t colon = text.find(':');
    if (comma == std::string::npos || (colon != std::string::npos && colon < comma)) {
        return std::nullopt;
    }
    const auto number = [](const std::string& part) -> std::optional<int> {
        const bool digits = !part.empty() && part.find_first_not_of("0123456789") == std::string::npos;
        const std::optional<std::int32_t> value = digits ? TextToInt(part) : std::nullopt;
        if (!value || *value > Image::kMaxSide) {
            return std::nullopt;
        }
        return *value;
    };
    const std::optional<int> x = number(text.substr(0, comma));
    const std::optional<int> y = number(text.substr(comma + 1, colon == std::string::npos
                                                                   ? std::string::npos
                                                                   : colon - comma - 1));
    const std::optional<int> radius =
        colon == std::string::npos ? std::optional<int>(0) : number(text.substr(colon + 1));
    if (!x || !y || !radius) {
        return std::nullopt;
    }
    return CutPlace{*x, *y, *radius};
}

void DeclareCliOptions(CLI::App& app, CliOptions& o)
{
    // How each option of the table stores its value, with the checks it
    // makes of it while parsing.
    const std::map<std::string, std::function<CLI::Option*(const char*)>> declarations = {
        {"--file", [&](const char* name) { return Declare(app, name, o.file); }},
        {"--folder", [&](const char* name) { return Declare(app, name, o.folder); }},
        {"--clipboard", [&](const char* name) { return Declare(app, name, o.clipboard); }},
        {"--method",
         [&](const char* name) {
             return app
                 .add_option_function<std::string>(
                     name,
                     [&o](const std::string& given) {
                         o.listMethods = given == kListMethods;
                         o.methodItem = MethodItemOfName(given);
                         o.wallpaperGroups = GroupMethodNamed(given) != nullptr;
                     })
                 ->type_name(OptionRowOf(name).argument)
                 ->check(CLI::Validator(
                     [](std::string& given) {
                         return given == kListMethods || MethodItemOfName(given)
                                    ? std::string()
                                    : "unknown method " + given;
                     },
                     ""));
         }},
        {"--rotate", [&](const char* name) { return Declare(app, name, o.dialogs.rotateNum); }},
        {"--plugin", [&](const char* name) { return Declare(app, name, o.plugin); }},
        {"--size", [&](const char* name) { return Declare(app, name, o.size); }},
        {"--width", [&](const char* name) { return Declare(app, name, o.width); }},
        {"--count", [&](const char* name) { return Declare(app, name, o.count); }},
        {"--prefix", [&](const char* name) { return Declare(app, name, o.prefix); }},
        {"--format",
         [&](const char* name) {
             return Declare(app, name, o.format)
                 ->transform(CLI::IsMember({"bmp", "jpeg", "jpg", "png", "tiff", "tif"}, CLI::ignore_case));
         }},
        // The window would take any number and move its scroll bar to the
        // nearest end; a command line that names another number is refused.
        {"--quality",
         [&](const char* name) {
             return Declare(app, name, o.quality)
                 ->check(CLI::Validator(
                     [](std::string& text) {
                         const std::optional<std::int32_t> quality = TextToInt(text);
                         return quality && *quality >= 1 && *quality <= 100
                                    ? std::string()
                                    : T("品質は1～100の整数を指定して下さい / the quality must be a "
                                        "whole number from 1 to 100");
                     },
                     ""));
         }},
        {"--shuffle", [&](const char* name) { return Declare(app, name, o.shuffle); }},
        {"--blur", [&](const char* name) { return Declare(app, name, o.blur); }},
        {"--brightness", [&](const char* name) { return Declare(app, name, o.brightness); }},
        {"--large", [&](const char* name) { return Declare(app, name, o.large); }},
        {"--dpi", [&](const char* name) { return Declare(app, name, o.dpi); }},
        {"--layout",
         [&](const char* name) {
             return Declare(app, name, o.layout)
                 ->check(CLI::Validator(
                     [](std::string& given) {
                         return RepeatLayoutNamed(given) != nullptr ? std::string()
                                                                    : "unknown layout " + given;
                     },
                     ""));
         }},
        {"--html", [&](const char* name) { return Declare(app, name, o.html); }},
        {"--html-title", [&](const char* name) { return Declare(app, name, o.dialogs.htmlTitle); }},
        {"--html-columns", [&](const char* name) { return Declare(app, name, o.dialogs.htmlColumns); }},
        {"--html-popup-width",
         [&](const char* name) { return Declare(app, name, o.dialogs.htmlPopupWidth); }},
        {"--html-popup-height",
         [&](const char* name) { return Declare(app, name, o.dialogs.htmlPopupHeight); }},
        {"--html-file", [&](const char* name) { return Declare(app, name, o.dialogs.htmlFileName); }},
        {"--fit", [&](const char* name) { return Declare(app, name, o.fit); }},
        {"--skip-flat", [&](const char* name) { return Declare(app, name, o.skipFlat); }},
        {"--at",
         [&](const char* name) {
             return Declare(app, name, o.at)->check(CLI::Validator(
                 [](std::string& text) {
                     return ParseCutPlace(text) ? std::string()
                                                : T("位置は X,Y か X,Y:R の整数で指定して下さい / "
                                                    "give the place as X,Y or X,Y:R in whole numbers");
                 },
                 ""));
         }},
        {"--colorways", [&](const char* name) { return Declare(app, name, o.colorways); }},
        {"--palette", [&](const char* name) { return Declare(app, name, o.palette); }},
        {"--no-auto-orient", [&](const char* name) { return Declare(app, name, o.noAutoOrient); }},
        {"--no-color-convert",
         [&](const char* name) { return Declare(app, name, o.noColourConvert); }},
        {"--color-tags", [&](const char* name) { return Declare(app, name, o.colourTags); }},
        {"--keep-profile", [&](const char* name) { return Declare(app, name, o.keepProfile); }},
        {"--background", [&](const char* name) { return Declare(app, name, o.background); }},
        {"--smooth", [&](const char* name) { return Declare(app, name, o.smooth); }},
        {"--repeat-size", [&](const char* name) { return Declare(app, name, o.repeatSize); }},
        {"--chroma",
         [&](const char* name) {
             return Declare(app, name, o.chroma)->check(CLI::IsMember({"444", "420"}));
         }},
        {"--gallery", [&](const char* name) { return Declare(app, name, o.gallery); }},
        {"--contact-sheet", [&](const char* name) { return Declare(app, name, o.contactSheet); }},
        {"--out", [&](const char* name) { return Declare(app, name, o.out); }},
        {"--batch", [&](const char* name) { return Declare(app, name, o.batch); }},
        {"--shard",
         [&](const char* name) {
             return Declare(app, name, o.shard)
                 ->check(CLI::Validator(
                     [](std::string& text) {
                         return text == "auto" || ParseShare(text)
                                    ? std::string()
                                    : T("区切りは K/N (K は 1～N) か auto で指定して下さい / give the "
                                        "shard as K/N with K from 1 to N, or auto");
                     },
                     ""));
         }},
        {"--shard-count",
         [&](const char* name) { return Declare(app, name, o.shardCount)->check(CLI::PositiveNumber); }},
        {"--skip-existing", [&](const char* name) { return Declare(app, name, o.skipExisting); }},
        {"--summary", [&](const char* name) { return Declare(app, name, o.summary); }},
        {"--gallery-of", [&](const char* name) { return Declare(app, name, o.galleryOf); }},
        {"--seed", [&](const char* name) { return Declare(app, name, o.seed); }},
        {"--record", [&](const char* name) { return Declare(app, name, o.record); }},
        {"--replay", [&](const char* name) { return Declare(app, name, o.replay); }},
        {"--tiles",
         [&](const char* name) {
             return Declare(app, name, o.tiles)
                 ->check(CLI::Validator(
                     [](std::string& text) {
                         return ParseTileList(text) ? std::string()
                                                    : T("番号は 3,7,12-15 のように指定して下さい / "
                                                        "list tiles as 3,7,12-15");
                     },
                     ""));
         }},
        {"--full-resolution", [&](const char* name) { return Declare(app, name, o.fullResolution); }},
    };
    // In the table's order, which is the order the parser checks them in.
    std::map<std::string, CLI::Option*> declared;
    for (const OptionRow& row : OptionTable()) {
        if (row.group != OptionGroup::Help) {
            declared[row.name] = declarations.at(row.name)(row.name);
        }
    }
    if (declared.size() != declarations.size()) {
        throw std::logic_error("an option is declared that the option table lacks");
    }
    Relate(declared);
}

void RequireFormatForQuality(const CLI::App& app, const CliOptions& options)
{
    if (options.replay) {
        return;
    }
    for (const OptionRow& row : OptionTable()) {
        if (*row.needsUnlessReplay != '\0' && app.get_option(row.name)->count() > 0 &&
            app.get_option(row.needsUnlessReplay)->count() == 0) {
            throw CLI::RequiresError(app.get_option(row.name)->get_name(),
                                     app.get_option(row.needsUnlessReplay)->get_name());
        }
    }
}

}  // namespace qm
