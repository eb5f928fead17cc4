// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>

#include "core/Image.h"

namespace qm {

// The layout of a contact sheet: cells in rows of kSheetColumns, each cell a
// square of kSheetCellSize pixels holding the tile's 2 x 2 repeat, with a
// strip of kSheetLabelHeight pixels below it for the running number, and
// kSheetGap pixels between cells and around the sheet.
inline constexpr int kSheetColumns = 10;
inline constexpr int kSheetCellSize = 192;
inline constexpr int kSheetLabelHeight = 20;
inline constexpr int kSheetGap = 8;

// The width x height image of the source repeated 2 x 2 (tile(x, y) =
// source(x mod w, y mod h)), scaled by area averaging: every target pixel is
// the mean of the repeat's pixels it covers, partly covered ones weighted by
// the part covered.
Image ScaleRepeatByArea(const Image& source, int width, int height);

// One sheet of count tiles, tileOf(n) giving tile n (1 to count) one at a
// time: each tile's 2 x 2 repeat fitted into its cell keeping its aspect,
// centred, and its running number in a digit font of its own beneath it.
Image BuildContactSheet(std::int32_t count, const std::function<Image(std::int32_t)>& tileOf);

}  // namespace qm
