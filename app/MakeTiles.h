// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/ExtendedSettings.h"
#include "app/Platform.h"
#include "app/TileSaver.h"
#include "core/Image.h"
#include "core/Random.h"
#include "engine/UMakeUnit.h"

namespace qm {

class TRunTiles;

// What the tile loop of a run needs besides the prepared maker and the
// source picture.
struct TileSeries {
    std::int32_t Count = 0;
    std::int32_t SizeX = 0;
    std::int32_t SizeY = 0;
    // The free ranges of the cut position, source side minus cut side, both
    // at least 0.
    std::int32_t RangeX = 0;
    std::int32_t RangeY = 0;
    std::string Prefix;
    std::uint8_t ImageType = 0;
    std::uint8_t Quality = 0;
    bool BrightnessFlag = false;
    std::string OutDirectory;
    // Threads that encode and write the tiles; 1 does all on the calling
    // thread.
    unsigned EncoderThreads = 1;
    // The settings beyond the window's own controls.
    ExtendedSettings Extended;
};

// The most positions one tile tries when flat pieces are skipped.
inline constexpr int kSkipFlatPositions = 50;

// The draws of one tile: the top left corner of its piece in the source and,
// when the brightness changes, the amount added to it (kBrightnessAmountMin
// to below kBrightnessAmountEnd).
inline constexpr double kBrightnessAmountMin = -0.25;
inline constexpr double kBrightnessAmountEnd = 0.25;
struct TileDraw {
    int X0 = 0;
    int Y0 = 0;
    std::optional<double> Amount;
    // Positions drawn for the tile; the one used is among them.
    int Tried = 1;
};

// Draws one tile from generator in the run's order: x0, then y0, then the
// brightness fraction when the series changes the brightness. When the
// series skips flat pieces, a position whose piece of source is less
// detailed than the level is put back and x0, y0 drawn again, up to
// kSkipFlatPositions positions; when none passes, the most detailed one
// seen is used. The brightness fraction is drawn once, after the position.
TileDraw DrawTile(Lcg& generator, const TileSeries& series, const Image& source);

// Makes the tile of draw: cuts the piece of the series' size at its corner
// into piece, changes its brightness by its amount, and lets the maker make
// the tile, which is then maker.ResultImage(). False when the maker fails
// (its ErrorCode and ErrorText say why). This is the one step that both a run
// and a preview of one tile take.
bool MakeTileAt(TMakeUnit& maker, const Image& source, const TileSeries& series,
                const TileDraw& draw, Image& piece);

// The file of the tile with the running number of a run:
// outDirectory + prefix + three-digit number + .bmp, .jpg or .png.
std::string TilePath(const std::string& outDirectory, const std::string& prefix,
                     std::uint8_t imageType, std::int32_t number);

// Told of the tiles of a run as they are made and, by the run's saver, as
// each is put in place, for the run's record.
class TileObserver : public PlacementObserver {
public:
    // Tile number is made from draw and handed over to be saved as path.
    virtual void TileMade(std::int32_t number, const std::string& path, const TileDraw& draw) = 0;
};

// The tile loop of the generation run: re-seeds the generator, then for
// each running number draws the cut position (and the brightness amount),
// cuts the piece, lets the maker make the tile and saves it as
// OutDirectory + Prefix + three-digit number + extension. Pieces are cut and
// tiles made in order on the calling thread; encoding and writing may run
// on other threads, but files appear in running-number order and a failure
// ends the run exactly as it would with one thread: a maker failure is
// reported (and SilentStop thrown) only when all tiles before it are saved,
// otherwise the earlier saving failure is thrown.
void MakeTiles(Platform& platform, TMakeUnit& maker, const Image& source, const TileSeries& series,
               TileObserver* observer = nullptr);
// The same with the tiles made by tiles (RunTiles.h), smoothed or at a
// repeat size as the run asks, its JPEG files sampled as the series'
// settings say.
void MakeTiles(Platform& platform, TRunTiles& tiles, const TileSeries& series,
               TileObserver* observer = nullptr);

}  // namespace qm
