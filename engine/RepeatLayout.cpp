// SPDX-License-Identifier: MIT
#include "engine/RepeatLayout.h"

#include <array>
#include <cstring>

#include "core/Translate.h"

namespace qm {
namespace {

constexpr std::array kLayouts{
    RepeatLayoutInfo{RepeatLayout::Block, "block", N_("ブロック")},
    RepeatLayoutInfo{RepeatLayout::HalfDrop, "half-drop", N_("ハーフドロップ")},
    RepeatLayoutInfo{RepeatLayout::HalfBrick, "half-brick", N_("ハーフブリック")},
    RepeatLayoutInfo{RepeatLayout::Mirror, "mirror", N_("ミラー")},
};

std::size_t Bytes(int pixels)
{
    return 3 * static_cast<std::size_t>(pixels);
}

// Row source moved right by shift pixels of width, wrapping round.
void CopyShifted(std::uint8_t* out, const std::uint8_t* source, int width, int shift)
{
    std::memcpy(out + Bytes(shift), source, Bytes(width - shift));
    std::memcpy(out, source + Bytes(width - shift), Bytes(shift));
}

void CopyMirrored(std::uint8_t* out, const std::uint8_t* source, int width)
{
    for (int x = 0; x < width; ++x) {
        std::memcpy(out + Bytes(x), source + Bytes(width - 1 - x), 3);
    }
}

}  // namespace

std::span<const RepeatLayoutInfo> RepeatLayouts()
{
    return kLayouts;
}

const RepeatLayoutInfo* RepeatLayoutNamed(std::string_view name)
{
    for (const RepeatLayoutInfo& layout : kLayouts) {
        if (name == layout.cliName || name == layout.itemText) {
            return &layout;
        }
    }
    return nullptr;
}

Image LayOutRepeat(const Image& tile, RepeatLayout layout)
{
    const int w = tile.Width();
    const int h = tile.Height();
    switch (layout) {
    case RepeatLayout::Block:
        return tile;
    case RepeatLayout::HalfDrop: {
        Image out = Image::Unfilled(2 * w, h);
        for (int y = 0; y < h; ++y) {
            std::memcpy(out.Row(y), tile.Row(y), Bytes(w));
            std::memcpy(out.Row(y) + Bytes(w), tile.Row((y + h - h / 2) % h), Bytes(w));
        }
        return out;
    }
    case RepeatLayout::HalfBrick: {
        Image out = Image::Unfilled(w, 2 * h);
        for (int y = 0; y < h; ++y) {
            std::memcpy(out.Row(y), tile.Row(y), Bytes(w));
            CopyShifted(out.Row(h + y), tile.Row(y), w, w / 2);
        }
        return out;
    }
    case RepeatLayout::Mirror: {
        Image out = Image::Unfilled(2 * w, 2 * h);
        for (int y = 0; y < h; ++y) {
            std::memcpy(out.Row(y), tile.Row(y), Bytes(w));
            CopyMirrored(out.Row(y) + Bytes(w), tile.Row(y), w);
            std::memcpy(out.Row(2 * h - 1 - y), out.Row(y), Bytes(2 * w));
        }
        return out;
    }
    }
    return tile;
}

}  // namespace qm
