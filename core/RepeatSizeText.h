// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The size a print asks of a repeat: W[xH]UNIT, UNIT px, in or cm.
enum class RepeatUnit { Pixels, Inches, Centimetres };

struct RepeatSizeAsked {
    double Width = 0;
    // Nothing: the tile's aspect gives the height.
    std::optional<double> Height;
    RepeatUnit Unit = RepeatUnit::Pixels;
};

// Reads W[xH]UNIT: each side a number above 0 with decimals allowed (8.5,
// 20), the sides joined by x, the unit px, in or cm in any letter case,
// nothing else. Nothing when text is not such a size.
std::optional<RepeatSizeAsked> ParseRepeatSize(std::string_view text);

// A repeat size as the window's fields show it: the width, the height
// (empty for none) and the unit, px, in or cm.
struct RepeatSizeFields {
    std::string Width;
    std::string Height;
    std::string Unit = "px";
};

// The fields of a text: taken apart at its first x and before its last two
// letters; a text that ends in no unit is all width.
RepeatSizeFields SplitRepeatSize(std::string_view text);
// The text of the fields: W, xH when there is a height, and the unit.
std::string JoinRepeatSize(const RepeatSizeFields& fields);

}  // namespace qm
