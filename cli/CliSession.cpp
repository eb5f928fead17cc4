// SPDX-License-Identifier: MIT
#include "cli/CliSession.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "app/AppInfo.h"
#include "app/ExtendedRows.h"
#include "app/window/Main.h"
#include "app/OutputType.h"
#include "app/replay/Replay.h"
#include "app/run/SmoothTile.h"
#include "app/TextToInt.h"
#include "app/window/TopLevelHandler.h"
#include "app/ExtendedRows.h"
#include "app/window/UDlgHtml.h"
#include "cli/BatchGallery.h"
#include "cli/BatchResume.h"
#include "cli/CliBatch.h"
#include "cli/CliHelp.h"
#include "cli/CliOptions.h"
#include "cli/ConsolePlatform.h"
#include "cli/OptionTable.h"
#include "core/Format.h"
#include "core/Random.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"
#include "engine/RepeatLayout.h"
#include "imageio/OutputNames.h"

namespace qm {
namespace {

using enum ControlId;

// The command-line names of the methods and groups whose cut may be wider
// or narrower than high.
std::string FreeWidthNames()
{
    std::string names;
    for (const auto methods : {BuiltinMethods(), GroupMethods()}) {
        for (const MethodInfo& method : methods) {
            if (method.freeWidth) {
                names += names.empty() ? "" : ", ";
                names += method.cliName;
            }
        }
    }
    return names;
}

bool IsTiffFormat(const std::string& format)
{
    return format == "tiff" || format == "tif";
}

// A control the user could not reach in the window with these settings.
struct UsageError {
    std::string text;
};

// Drives one main window from the parsed options.
class CliSession {
public:
    CliSession(const CliOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), platform_(out, err, options.dialogs, options.progressPrefix), main_(platform_, frmHtml_)
    {
    }

    SessionResult Run()
    {
        if (options_.smooth && (options_.shuffle || options_.plugin)) {
            const std::uint8_t method = options_.plugin
                                            ? kPluginMethodCode
                                            : MethodCodeOfItem(options_.methodItem.value_or(0));
            throw UsageError{"--smooth: " + SmoothingRefusal(method, options_.shuffle)};
        }
        SetExtended();
        if (options_.batchPicture) {
            platform_.HideInfoBoxes();
        }
        if (options_.skipExisting) {
            main_.SkipMadeRuns(RunAlreadyMade);
        }
        main_.FormCreate();
        main_.ExtendedSettingsChanged();
        // The height is typed while the square kaleidoscope is still chosen,
        // so the width follows it also for the rectangle and no conversion
        // unless --width says otherwise.
        if (!Act([this] { SetSource(); }) || !Act([this] { Type(edtSizeY, options_.size); }) ||
            !Act([this] { SetMethod(); })) {
            return {};
        }
        if (options_.dialogs.rotateNum) {
            Require(bbnDetail, T("--rotate は --method distorted-square の時だけ指定できます / "
                                 "--rotate needs --method distorted-square"));
            if (!Act([this] { main_.Click(bbnDetail); })) {
                return {};
            }
        }
        if (!Act([this] { SetSizesAndOutput(); }) || !Act([this] { SetHtml(); })) {
            return {};
        }
        Act([this] { main_.Click(bbnExecute); });
        // Names the command line gave that no run may write are a usage
        // error, as the other values it cannot mean are.
        if (main_.LastMakeRefusedNames() || main_.LastMakeRefusedPrint()) {
            return {kExitUsage, 0, false, ""};
        }
        if (main_.LastMakeSkipped()) {
            return {kExitMade, TextToInt(main_.State(edtMake).text).value_or(0), true, ""};
        }
        if (!main_.LastMakeSucceeded()) {
            return {};
        }
        return {kExitMade, TextToInt(main_.State(edtMake).text).value_or(0), false, ""};
    }

    const std::string& LastError() const
    {
        return platform_.LastError();
    }

private:
    // Runs one user action through the top-level handler; false when it
    // showed an error.
    bool Act(const std::function<void()>& action)
    {
        RunUserAction(platform_, action);
        return !platform_.ErrorShown();
    }

    // The extended settings, each value judged by its dialog row.
    void SetExtended()
    {
        ExtendedSettings& settings = main_.Extended();
        settings.AutoOrient = !options_.noAutoOrient;
        settings.ColourConvert = !options_.noColourConvert;
        settings.ColourTags = options_.colourTags;
        settings.KeepProfile = options_.keepProfile;
        // The window offers TIFF only with its extended setting.
        settings.TiffOutput = options_.format && IsTiffFormat(*options_.format);
        settings.LargeCuts = options_.large;
        settings.WallpaperGroups = options_.wallpaperGroups;
        if (options_.layout) {
            settings.Layout = RepeatLayoutNamed(*options_.layout)->layout;
        }
        settings.Record = options_.record;
        Store("--gallery", options_.gallery, &ExtendedSettings::Gallery, true);
        Store("--contact-sheet", options_.contactSheet, &ExtendedSettings::ContactSheet, true);
        Store("--fit", options_.fit, &ExtendedSettings::Fit, false);
        Store("--skip-flat", options_.skipFlat, &ExtendedSettings::SkipFlat, true);
        Store("--dpi", options_.dpi, &ExtendedSettings::Dpi, false);
        if (options_.at) {
            const CutPlace place = *ParseCutPlace(*options_.at);
            settings.At = true;
            settings.AtX = place.X;
            settings.AtY = place.Y;
            settings.AtRadius = place.Radius;
        }
        Store("--colorways", options_.colorways, &ExtendedSettings::Colorways, false);
        Store("--palette", options_.palette, &ExtendedSettings::Palette, false);
        Store("--background", options_.background, &ExtendedSettings::Background, false);
        Store("--smooth", options_.smooth, &ExtendedSettings::Smooth, true);
        Store("--repeat-size", options_.repeatSize, &ExtendedSettings::RepeatSize, false);
        Store("--chroma", options_.chroma, &ExtendedSettings::Chroma, false);
        if (const std::optional<ExtendedRefusal> refusal = RefuseTogether(settings)) {
            throw UsageError{"--repeat-size: " + refusal->Message};
        }
    }

    void Store(const std::string& option, const std::optional<std::string>& text,
               bool ExtendedSettings::*checked, bool valueOptional)
    {
        if (!text) {
            return;
        }
        for (const ExtendedRow& row : ExtendedRows()) {
            if (row.Checked != checked) {
                continue;
            }
            if (!text->empty() || !valueOptional) {
                if (const std::optional<std::string> refusal = row.StoreValue(main_.Extended(), *text)) {
                    throw UsageError{option + ": " + *refusal};
                }
            }
            main_.Extended().*checked = true;
        }
    }

    void Require(ControlId control, const std::string& text)
    {
        if (!main_.State(control).enabled) {
            throw UsageError{text};
        }
    }

    void Type(ControlId control, const std::optional<std::string>& text)
    {
        if (text) {
            main_.ChangeText(control, *text);
        }
    }

    void SetSource()
    {
        if (options_.folder) {
            main_.Click(rdbSelectImageFolder);
            main_.ChangeText(edtSelectImageFolder, *options_.folder);
        } else if (options_.clipboard) {
            main_.Click(rdbSelectImageClipBoard);
        }
        Type(edtFileName, options_.file);
    }

    void SetMethod()
    {
        if (options_.plugin) {
            main_.Click(rdbDll);
            main_.ChangeText(edtDll, *options_.plugin);
        } else if (options_.methodItem) {
            main_.SelectMethod(*options_.methodItem);
        }
    }

    void SetSizesAndOutput()
    {
        if (options_.width) {
            Require(edtSizeX,
                    main_.Extended().WallpaperGroups
                        ? Format(T("--width は --method %1$s の時だけ指定できます / --width needs "
                                   "--method %1$s"),
                                 {FreeWidthNames()})
                        : T("--width は --method rectangle か none の時だけ指定できます / "
                            "--width needs --method rectangle or none"));
            main_.ChangeText(edtSizeX, *options_.width);
        }
        Type(edtMake, options_.count);
        Type(edtPrefix, options_.prefix);
        if (options_.format) {
            const std::string& format = *options_.format;
            main_.Click(format == "jpeg" || format == "jpg" ? rdbJpeg
                        : format == "png"                   ? rdbPng
                        : IsTiffFormat(format)              ? rdbTiff
                                                            : rdbBmp);
        }
        if (options_.quality) {
            Require(edtQuality, T("--quality は --format jpeg の時だけ指定できます / "
                                  "--quality needs --format jpeg"));
            main_.ChangeText(edtQuality, *options_.quality);
        }
        if (options_.chroma) {
            Require(edtQuality, T("--chroma は --format jpeg の時だけ指定できます"));
        }
        for (const auto& [wanted, box] : {std::pair{options_.shuffle, ckbShuffle},
                                          std::pair{options_.blur, ckbShadeOff},
                                          std::pair{options_.brightness, ckbBrightness}}) {
            if (wanted) {
                main_.Click(box);
            }
        }
        Type(edtOutDirectory, options_.out);
    }

    void SetHtml()
    {
        if (!options_.html) {
            return;
        }
        main_.Click(chbHtml);
        const DialogAnswers& d = options_.dialogs;
        if (d.htmlTitle || d.htmlColumns || d.htmlPopupWidth || d.htmlPopupHeight || d.htmlFileName) {
            main_.Click(bbnHtml);
        }
    }

    // Turns the extended setting of checked on when the option is given and
    // lets its row judge and store the option's value, if any.
    const CliOptions& options_;
    ConsolePlatform platform_;
    TfrmHtml frmHtml_;
    TfrmMain main_;
};

// Makes tiles of a run record again.
int Replay(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    ReplayRequest request;
    request.RecordFile = *options.replay;
    if (options.tiles) {
        request.Tiles = *ParseTileList(*options.tiles);
    }
    request.OutDirectory = options.out;
    if (options.format) {
        const std::string& format = *options.format;
        request.ImageType = format == "jpeg" || format == "jpg" ? kOutputJpeg
                            : format == "png"                   ? kOutputPng
                            : IsTiffFormat(format)              ? kOutputTiff
                                                                : kOutputBmp;
        if (options.quality && *request.ImageType != kOutputJpeg) {
            throw UsageError{T("--quality は --format jpeg の時だけ指定できます / "
                               "--quality needs --format jpeg")};
        }
    }
    if (options.quality) {
        request.Quality = TextToInt(*options.quality);
    }
    if (options.chroma) {
        if (request.ImageType && *request.ImageType != kOutputJpeg) {
            throw UsageError{T("--chroma は --format jpeg の時だけ指定できます")};
        }
        request.Chroma = TextToInt(*options.chroma);
    }
    if (options.prefix && !IsAllowedPrefix(*options.prefix)) {
        throw UsageError{T("プレフィックスが不正です")};
    }
    request.Prefix = options.prefix;
    request.FullResolution = options.fullResolution;
    ConsolePlatform platform(out, err, options.dialogs);
    RunUserAction(platform, [&] {
        ReplayRun(platform, request);
        platform.ShowInfoBox(T("作成しました。"));
    });
    return platform.ErrorShown() ? kExitRefused : kExitMade;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"", "quillmore-cli"};
    app.set_help_flag(OptionSynopsis(OptionRowOf("--help")));
    app.set_version_flag("--version", kApplicationVersion);
    // The usage is written from the option table, not the parser's own list.
    app.formatter_fn([](const CLI::App*, const std::string&, CLI::AppFormatMode) { return CliHelp(); });
    CliOptions options;
    DeclareCliOptions(app, options);
    if (argc <= 1) {
        err << app.help();
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
        RequireFormatForQuality(app, options);
        RequireListAlone(app, options);
        RequireGalleryOfAlone(app, options);
    } catch (const CLI::ParseError& error) {
        app.exit(error, out, err);
        return error.get_exit_code() == 0 ? kExitMade : kExitUsage;
    }
    if (options.listMethods) {
        out << MethodNameLines();
        return kExitMade;
    }

    if (options.galleryOf) {
        return WriteBatchGallery(*options.galleryOf, options.gallery, err) ? kExitMade
                                                                           : kExitRefused;
    }
    if (options.batch) {
        return RunBatch(options, out, err);
    }
    if (options.seed) {
        rng::FixReseed(*options.seed);
    }
    return RunSession(options, out, err).exitCode;
}

SessionResult RunSession(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    CliSession session(options, out, err);
    try {
        if (options.replay) {
            return {Replay(options, out, err), 0, false, ""};
        }
        SessionResult result = session.Run();
        if (result.exitCode != kExitMade) {
            result.error = session.LastError();
        }
        return result;
    } catch (const UsageError& usage) {
        err << usage.text << '\n' << "Run with --help for more information.\n";
        return {kExitUsage, 0, false, usage.text};
    }
}

}  // namespace qm
