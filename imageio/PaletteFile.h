// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Srgb8.h"

namespace qm {

// The largest palette file read, and the most colours it may hold: a GIMP
// palette of 256 named colours takes some 10 KiB.
inline constexpr std::int64_t kMaxPaletteBytes = 64 * 1024;
inline constexpr std::size_t kMaxPaletteColours = 256;

// The colours of a palette file, in the file's order: a GIMP palette
// ("GIMP Palette" on its first line, then "R G B name" lines of 0 to 255,
// with Name: and Columns: lines and # comments), or any other file of one
// #rrggbb a line. Blank lines are skipped. Throws ErrorMessage for a file
// that cannot be read (the open error of picture files), is larger than
// kMaxPaletteBytes, has a line that is not a colour, or holds fewer than
// two colours or more than kMaxPaletteColours.
std::vector<Srgb8> ReadPalette(const std::string& path);

// A colour written as #rrggbb (either case), nothing for another text;
// and a colour written so, in lower case.
std::optional<Srgb8> ColourOfHex(std::string_view text);
std::string HexOfColour(Srgb8 colour);

// The same for the text of a palette file; name is the file's name in the
// messages.
std::vector<Srgb8> ParsePalette(std::string_view text, const std::string& name);

}  // namespace qm
