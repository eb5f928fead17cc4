// SPDX-License-Identifier: MIT
#include "app/run/RepeatSize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/Format.h"
#include "core/Translate.h"
#include "effects/RepeatResample.h"

namespace qm {
namespace {

// Sides beyond this many pixels are far beyond any tile; keeping below it
// keeps every product below in 64 bits.
constexpr std::int64_t kHugeSide = std::int64_t{1} << 30;
// The largest cut height the search for a cut that allows a size tries.
constexpr int kLastCutTried = 65536;

// The pixels of an amount of the unit at dpi, to the nearest, halves to even.
std::int64_t Pixels(double amount, RepeatUnit unit, int dpi)
{
    const double perUnit = unit == RepeatUnit::Pixels   ? 1.0
                           : unit == RepeatUnit::Inches ? dpi
                                                        : dpi / 2.54;
    const double pixels = std::nearbyint(amount * perUnit);
    return pixels >= static_cast<double>(kHugeSide) ? kHugeSide : static_cast<std::int64_t>(pixels);
}

// The side of the tile's aspect to a side of the other direction.
std::int64_t AspectSide(std::int64_t side, int along, int across)
{
    return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(side) * along / across));
}

// Hundredths as a decimal without trailing zeros: 384 "3.84", 2000 "20".
std::string Hundredths(std::int64_t hundredths)
{
    std::string text = std::to_string(hundredths / 100);
    const int rest = static_cast<int>(hundredths % 100);
    if (rest != 0) {
        text += '.';
        text += static_cast<char>('0' + rest / 10);
        if (rest % 10 != 0) {
            text += static_cast<char>('0' + rest % 10);
        }
    }
    return text;
}

// A size in pixels, and in the unit asked when that is not pixels: the
// amounts to the nearest hundredth, or cut down to it (so that a limit named
// stays within it).
std::string SizeText(std::int64_t width, std::int64_t height, RepeatUnit unit, int dpi, bool down)
{
    const std::string pixels = std::to_string(width) + " x " + std::to_string(height) + " px";
    if (unit == RepeatUnit::Pixels) {
        return pixels;
    }
    // Hundredths of an inch are pixels * 100 / dpi, of a centimetre pixels * 254 / dpi.
    const std::int64_t per = unit == RepeatUnit::Inches ? 100 : 254;
    const auto amount = [&](std::int64_t side) {
        return Hundredths(down ? side * per / dpi : (2 * side * per + dpi) / (2 * dpi));
    };
    return amount(width) + " x " + amount(height) +
           (unit == RepeatUnit::Inches ? " in (" : " cm (") + pixels + ")";
}

// The smallest cut height from the run's on whose tile the size fits
// within 1.5 times, the width in proportion; 0 when none up to
// kLastCutTried does.
int CutAllowing(std::int64_t width, std::int64_t height, const RepeatTiles& tiles)
{
    for (int n = tiles.Cut.Y + 2; n <= kLastCutTried; n += 2) {
        const int cutWidth =
            tiles.Cut.X == tiles.Cut.Y
                ? n
                : 2 * static_cast<int>(std::nearbyint(static_cast<double>(tiles.Cut.X) * n /
                                                      (2.0 * tiles.Cut.Y)));
        const std::optional<TPoint> tile = tiles.TileOfCut(TPoint{cutWidth, n});
        if (tile && 2 * width <= 3 * std::int64_t{tile->X} &&
            2 * height <= 3 * std::int64_t{tile->Y}) {
            return n;
        }
    }
    return 0;
}

RepeatSize Refused(RepeatSizeProblem problem, std::string message)
{
    return RepeatSize{{}, problem, std::move(message)};
}

}  // namespace

RepeatSize ResolveRepeatSize(std::string_view text, const RepeatSizeAsked& asked, int dpi,
                             const RepeatTiles& tiles)
{
    const std::string name(text);
    if (asked.Unit != RepeatUnit::Pixels && dpi < 1) {
        return Refused(RepeatSizeProblem::NeedsDpi, T("解像度 (dpi) を指定して下さい"));
    }
    const int tileWidth = tiles.Tile.X;
    const int tileHeight = tiles.Tile.Y;
    const std::int64_t width = Pixels(asked.Width, asked.Unit, dpi);
    const std::int64_t height = asked.Height ? Pixels(*asked.Height, asked.Unit, dpi)
                                             : AspectSide(width, tileHeight, tileWidth);
    if (width < 1 || height < 1) {
        return Refused(RepeatSizeProblem::TooSmall,
                       Format(T("%s は小さすぎます (1 ピクセル以上)"), {name}));
    }
    // The aspects differ by more than 1 % when width / height and the
    // tile's do, compared as products.
    const double asking = static_cast<double>(width) * tileHeight;
    const double keeping = static_cast<double>(height) * tileWidth;
    if (std::abs(asking - keeping) > 0.01 * keeping) {
        const std::string kept =
            SizeText(width, AspectSide(width, tileHeight, tileWidth), asked.Unit, dpi, false);
        return Refused(
            RepeatSizeProblem::Aspect,
            Format(T("%s はタイルの縦横比と合いません (縦横比どおりなら %s)"), {name, kept}));
    }
    if (2 * width > 3 * std::int64_t{tileWidth} || 2 * height > 3 * std::int64_t{tileHeight}) {
        std::int64_t largestWidth = 3 * std::int64_t{tileWidth} / 2;
        while (2 * AspectSide(largestWidth, tileHeight, tileWidth) > 3 * std::int64_t{tileHeight}) {
            --largestWidth;
        }
        const std::string largest = SizeText(
            largestWidth, AspectSide(largestWidth, tileHeight, tileWidth), asked.Unit, dpi, true);
        if (!tiles.TileOfCut) {
            return Refused(RepeatSizeProblem::TooLarge,
                           Format(T("%s は大きすぎます (最大 %s)"), {name, largest}));
        }
        const int cut = CutAllowing(width, height, tiles);
        if (cut == 0) {
            return Refused(RepeatSizeProblem::TooLarge,
                           Format(T("%s は大きすぎます (最大 %s、どの切り抜きでも足りません)"),
                                  {name, largest}));
        }
        if (cut > tiles.LargestCut) {
            return Refused(
                RepeatSizeProblem::TooLarge,
                Format(T("%s は大きすぎます (最大 %s、切り抜き %d が必要ですが、切り抜きは %d "
                         "までです)"),
                       {name, largest, cut, tiles.LargestCut}));
        }
        return Refused(
            RepeatSizeProblem::TooLarge,
            Format(T("%s は大きすぎます (最大 %s、切り抜き %d 以上で可能)"), {name, largest, cut}));
    }
    return RepeatSize{PictureSize{static_cast<int>(width), static_cast<int>(height)},
                      RepeatSizeProblem::None,
                      {}};
}

Image ToRepeatSize(const Image& tile, PictureSize size, TileAnchor anchor)
{
    if (size.Width == tile.Width() && size.Height == tile.Height()) {
        return tile;
    }
    return ResampleRepeat(tile, size.Width, size.Height, anchor.HalfX, anchor.HalfY);
}

}  // namespace qm
