// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Srgb8.h"
#include "engine/RepeatLayout.h"

namespace qm {

// The settings beyond the main window's own controls, set in the
// extended-settings dialog or by the command line's options. They keep their
// values until the program ends. Every one but AutoOrient and ColourConvert
// starts off, so a make action with the defaults writes exactly what it
// writes without them (AutoOrient changes only pictures that carry an
// orientation tag, ColourConvert only pictures that carry a colour profile
// other than sRGB).
struct ExtendedSettings {
    // A gallery page beside the tiles, named as the index page is: counted
    // from the output folder.
    bool Gallery = false;
    std::string GalleryName = "gallery.html";
    // One picture of every tile of the run; an empty name stands for
    // <prefix>sheet.png in the output folder.
    bool ContactSheet = false;
    std::string ContactSheetName;
    // Scale the picture down before the blur so that the cut's longer side
    // is FitPercent % of the picture's shorter side; a picture that is
    // already small enough stays as it is.
    // With FitAuto the run chooses FitPercent itself (ChooseFit) and keeps
    // the number it chose in its record.
    bool Fit = false;
    int FitPercent = 25;
    bool FitAuto = false;
    // Put back a piece whose structure, the standard deviation of its
    // luminance (levels 0 to 255) less the plane that fits it best, is below
    // SkipFlatLevel and draw another position, up to kSkipFlatPositions per
    // tile.
    bool SkipFlat = false;
    int SkipFlatLevel = 12;
    // Turn a picture as its camera's orientation tag says. The one setting
    // that starts on, as every picture viewer does it; a picture without
    // the tag is not touched.
    bool AutoOrient = true;
    // Cuts up to 2048 pixels for the built-in methods; plug-ins keep 256.
    bool LargeCuts = false;
    // The resolution the tile files record, in dots per inch (1 to 10000).
    bool Dpi = false;
    int DpiValue = 300;
    // The seventeen wallpaper groups after the methods in the method list,
    // and their codes (11 to 27) accepted by the run.
    bool WallpaperGroups = false;
    // The repeat a tile's file holds (RepeatLayout.h); a block is the tile.
    RepeatLayout Layout = RepeatLayout::Block;
    // Smooth edges: every tile made from a cut SmoothFactor times larger,
    // of the picture at that scale, and reduced onto its size.
    bool Smooth = false;
    int SmoothFactor = 3;
    // Every tile resampled to the repeat size W[xH]UNIT, UNIT px, in or cm;
    // inches and centimetres count at the Dpi.
    bool RepeatSize = false;
    std::string RepeatSizeText;
    // The colour of JPEG tiles at full resolution (444) or at half the
    // resolution both ways (420, the JPEG writer's default).
    bool Chroma = false;
    int ChromaValue = 444;

    // Beside every tile ColorwayCount - 1 variants with the hue turned by
    // equal steps (Colourway), <prefix>NNN-c2.<ext> to -cN (2 to 12).
    bool Colorways = false;
    int ColorwayCount = 3;
    // Beside every tile <prefix>NNN-p.<ext>, the tile mapped onto the
    // colours of a palette (PaletteMap). PaletteFile is the file the window
    // and the command line name; the make action reads it into
    // PaletteColours, which the run and its record hold.
    bool Palette = false;
    std::string PaletteFile;
    std::vector<Srgb8> PaletteColours;

    // Every piece drawn within AtRadius (Chebyshev distance, in pixels of
    // the fitted picture) of the top left corner AtX, AtY, the window
    // clipped to the picture; set by the preview's place and --at.
    bool At = false;
    int AtX = 0;
    int AtY = 0;
    int AtRadius = 0;

    bool operator==(const ExtendedSettings&) const = default;
    // A record of the run beside the tiles, <prefix>record.json, from which
    // any of its tiles can be made again.
    bool Record = false;
    // Convert a picture that carries a colour profile to sRGB as it is
    // loaded. Starts on, as a colour-managed viewer shows the picture; off,
    // the decoded values are used as they are.
    bool ColourConvert = true;
    // PNG tiles carry an sRGB chunk, JPEG and TIFF tiles the sRGB profile.
    bool ColourTags = false;
    // RGB pictures are left unconverted and their own profile goes into the
    // PNG, JPEG and TIFF tiles; not together with ColourTags.
    bool KeepProfile = false;
    // Transparent parts of every picture with alpha are laid on this colour,
    // #rrggbb.
    bool Background = false;
    std::string BackgroundColour = "#ffffff";
    // The window offers TIFF as a fourth output type.
    bool TiffOutput = false;
};

}  // namespace qm
