// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/ExtendedRows.h"
#include "cli/ConsolePlatform.h"

namespace CLI {
class App;
}

namespace qm {

// The options of quillmore-cli. Values that the main window takes as text
// stay text here, so that the window's own checks judge them.
struct CliOptions {
    std::optional<std::string> file;
    std::optional<std::string> folder;
    bool clipboard = false;
    // Position in the method list of the chosen built-in method, the
    // wallpaper groups after the methods; wallpaperGroups when it is a
    // group, which turns the extended setting on.
    std::optional<int> methodItem;
    bool wallpaperGroups = false;
    // --method list: print every method's name and make nothing.
    bool listMethods = false;
    std::optional<std::string> plugin;
    std::optional<std::string> size;
    std::optional<std::string> width;
    std::optional<std::string> count;
    std::optional<std::string> prefix;
    std::optional<std::string> format;
    std::optional<std::string> quality;
    bool shuffle = false;
    bool blur = false;
    bool brightness = false;
    bool html = false;
    std::optional<std::string> out;
    std::optional<std::uint32_t> seed;
    // Extended settings, values as typed, judged by their dialog rows. An
    // option whose value may be left out holds an empty text without one.
    bool large = false;
    // The repeat a tile's file holds, by its name (--layout).
    std::optional<std::string> layout;
    std::optional<std::string> dpi;
    std::optional<std::string> gallery;
    std::optional<std::string> contactSheet;
    std::optional<std::string> fit;
    std::optional<std::string> skipFlat;
    bool noAutoOrient = false;
    // Colour and transparency (extended settings).
    bool noColourConvert = false;
    bool colourTags = false;
    bool keepProfile = false;
    std::optional<std::string> background;
    std::optional<std::string> smooth;
    std::optional<std::string> repeatSize;
    std::optional<std::string> chroma;
    // Colourways a tile (--colorways) and the palette file (--palette).
    std::optional<std::string> colorways;
    // Where every piece is cut, X,Y[:R] (--at).
    std::optional<std::string> at;
    std::optional<std::string> palette;
    // One run per picture of this folder.
    std::optional<std::string> batch;
    // Only this share of the batch's pictures: "K/N" or "auto" (from the
    // job runner's variables, with shardCount for a Kubernetes Indexed Job).
    std::optional<std::string> shard;
    std::optional<int> shardCount;
    // Leave out the pictures whose runs were made already.
    bool skipExisting = false;
    // Where the batch's JSON summary goes, "-" for the standard output.
    std::optional<std::string> summary;
    // Only write the gallery page of the batch in this folder.
    std::optional<std::string> galleryOf;
    // Leave the run's record (the extended setting).
    bool record = false;
    // Make tiles of a run record again instead of a run, the listed ones
    // (3,7,12-15) or all.
    std::optional<std::string> replay;
    std::optional<std::string> tiles;
    // Make them from the picture before the fit (--full-resolution).
    bool fullResolution = false;
    // Set by a batch, not by an option: the start of every progress line,
    // which picture of how many is being made.
    std::string progressPrefix;
    // Set by a batch: the run is one picture of it, which the batch tells
    // of instead of the run's completion message.
    bool batchPicture = false;
    // The answers for the distorted-square and the HTML settings dialogs.
    DialogAnswers dialogs;
};

// A place of the cut as --at gives it: the top left corner and the radius.
struct CutPlace {
    int X = 0;
    int Y = 0;
    int Radius = 0;
};

// "X,Y" or "X,Y:R", each a whole number from 0 to Image::kMaxSide;
// nothing for another text.
std::optional<CutPlace> ParseCutPlace(const std::string& text);

// Declares every option of the command line on app, storing into options.
void DeclareCliOptions(CLI::App& app, CliOptions& options);

// Throws the parse error of --quality without --format, which only a
// replay may leave out. Call after parsing.
void RequireFormatForQuality(const CLI::App& app, const CliOptions& options);

// The list position of a method named by its command-line name or by its
// item text in the window's list, a wallpaper group's position in the list
// that shows the groups after the methods; nothing for an unknown name.
std::optional<int> MethodItemOfName(const std::string& name);

// Every method's command-line name, one a line, the methods before the
// groups, as --method list prints them.
std::string MethodNameLines();

// Throws the usage error of --method list with any other option. Call
// after parsing.
void RequireListAlone(const CLI::App& app, const CliOptions& options);

// Throws the usage error of --gallery-of with any option but --gallery.
// Call after parsing.
void RequireGalleryOfAlone(const CLI::App& app, const CliOptions& options);


}  // namespace qm
