// SPDX-License-Identifier: MIT
#include "imageio/PaletteFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/SourceFile.h"

namespace qm {
namespace {

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r\f\v";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// A whole number 0 to 255 at the start of text, which is moved past it.
bool TakeLevel(std::string_view& text, std::uint8_t& level)
{
    unsigned value = 256;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || value > 255 || end - text.data() > 3) {
        return false;
    }
    level = static_cast<std::uint8_t>(value);
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

// "R G B" and an optional name.
bool GimpColour(std::string_view line, Srgb8& colour)
{
    for (std::uint8_t* level : {&colour.R, &colour.G, &colour.B}) {
        line = line.substr(std::min(line.size(), line.find_first_not_of(" \t")));
        if (!TakeLevel(line, *level) || (!line.empty() && line.front() != ' ' && line.front() != '\t')) {
            return false;
        }
    }
    return true;
}

bool HexColour(std::string_view line, Srgb8& colour)
{
    if (line.size() != 7 || line.front() != '#') {
        return false;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(line.data() + 1, line.data() + 7, value, 16);
    if (error != std::errc{} || end != line.data() + 7) {
        return false;
    }
    colour = {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value)};
    return true;
}

}  // namespace

std::optional<Srgb8> ColourOfHex(std::string_view text)
{
    Srgb8 colour;
    return HexColour(text, colour) ? std::optional(colour) : std::nullopt;
}

std::string HexOfColour(Srgb8 colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.R, colour.G, colour.B);
    return text;
}

std::vector<Srgb8> ParsePalette(std::string_view text, const std::string& name)
{
    if (static_cast<std::int64_t>(text.size()) > kMaxPaletteBytes) {
        throw ErrorMessage(Format(T("パレットファイル \"%1$s\" が大きすぎます（%2$d KiB まで）。"),
                                  {name, static_cast<int>(kMaxPaletteBytes / 1024)}));
    }
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<Srgb8> colours;
    bool gimp = false;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (number == 1 && line == "GIMP Palette") {
            gimp = true;
            continue;
        }
        if (line.empty() ||
            (gimp && (line.front() == '#' || line.starts_with("Name:") || line.starts_with("Columns:")))) {
            continue;
        }
        Srgb8 colour;
        if (!(gimp ? GimpColour(line, colour) : HexColour(line, colour))) {
            throw ErrorMessage(Format(T("パレットファイル \"%1$s\" の %2$d 行目は色として読めません。"),
                                      {name, number}));
        }
        if (colours.size() == kMaxPaletteColours) {
            throw ErrorMessage(Format(T("パレットファイル \"%1$s\" の色が多すぎます（%2$d 色まで）。"),
                                      {name, static_cast<int>(kMaxPaletteColours)}));
        }
        colours.push_back(colour);
    }
    if (colours.size() < 2) {
        throw ErrorMessage(Format(T("パレットファイル \"%s\" には色が2つ以上必要です。"), {name}));
    }
    return colours;
}

std::vector<Srgb8> ReadPalette(const std::string& path)
{
    SourceFile file(path);
    std::vector<std::uint8_t> bytes;
    // One byte more than allowed tells a file that is too large, also one
    // that grows while it is read.
    file.ReadUpTo(bytes, static_cast<std::uint64_t>(kMaxPaletteBytes) + 1);
    return ParsePalette(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                        path);
}

}  // namespace qm
