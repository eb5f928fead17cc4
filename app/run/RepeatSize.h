// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/RepeatSizeText.h"
#include "app/run/FitPicture.h"
#include "core/Image.h"
#include "engine/UMakeUnit.h"

namespace qm {

// What the check knows of the run's tiles.
struct RepeatTiles {
    // The run's cut and the size of its tile.
    TPoint Cut;
    TPoint Tile;
    // The longest cut side the run may take (256, or 2048 with large cuts).
    int LargestCut = TMakeUnit::kPixelSide;
    // The tile of another cut (TMakeUnit::TileSizeFor); empty when only the
    // run's own is known (a plug-in).
    std::function<std::optional<TPoint>(TPoint)> TileOfCut;
};

enum class RepeatSizeProblem { None, NeedsDpi, TooSmall, Aspect, TooLarge };

// The repeat size in pixels, or why the run refuses it, with the message
// to show (through T(); NeedsDpi's asks for the dpi, which the window puts
// the focus on).
struct RepeatSize {
    PictureSize Size;
    RepeatSizeProblem Problem = RepeatSizeProblem::None;
    std::string Message;
};

// The repeat size asked (as typed in text) for the run's tiles at dpi (0:
// none given): inches and centimetres at dpi dots per inch, each side
// rounded to the nearest pixel; without a height, the height that keeps
// the tile's aspect. Refused, in this order: inches or centimetres without
// a dpi; a side below one pixel; a width and height whose aspect differs
// from the tile's by more than 1 % (the message names the size of the width
// asked that keeps it); a side more than 1.5 times the tile's (the message
// names the largest size allowed, in pixels and in the unit asked, and the
// smallest cut, its height, the width in proportion, that allows the size
// asked, or says that no cut up to the largest does). Shrinking is always
// allowed.
RepeatSize ResolveRepeatSize(std::string_view text, const RepeatSizeAsked& asked, int dpi,
                             const RepeatTiles& tiles);

// The tile resampled to size with ResampleRepeat, its mirror lines kept
// where anchor says: the file still repeats seamlessly. A tile of that size
// comes back as it is.
Image ToRepeatSize(const Image& tile, PictureSize size, TileAnchor anchor);

}  // namespace qm
