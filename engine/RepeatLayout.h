// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

#include "core/Image.h"

namespace qm {

// How a printer repeats a tile: as it is (block), columns dropped by half a
// tile, rows shifted by half a tile, or the tile beside its mirror images.
enum class RepeatLayout { Block, HalfDrop, HalfBrick, Mirror };

struct RepeatLayoutInfo {
    RepeatLayout layout;
    // Its name on the command line.
    const char* cliName;
    // Its Japanese name; a list shows T(itemText).
    const char* itemText;
};

// The layouts, block first.
std::span<const RepeatLayoutInfo> RepeatLayouts();

// The layout of a command-line name or Japanese name; null for any other.
const RepeatLayoutInfo* RepeatLayoutNamed(std::string_view name);

// The rectangular repeat that holds a W by H tile in a layout, itself laid
// edge to edge by the printer:
// - block: the tile;
// - half-drop: 2W by H, the tile and beside it the tile moved down by
//   floor(H/2), its bottom rows wrapping round to the top;
// - half-brick: W by 2H, the tile and below it the tile moved right by
//   floor(W/2), wrapping round;
// - mirror: 2W by 2H, the tile, its mirror image to the right, and both
//   mirrored downwards.
// Throws ErrorMessage for a repeat beyond the largest picture.
Image LayOutRepeat(const Image& tile, RepeatLayout layout);

}  // namespace qm
