// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/Platform.h"
#include "app/RunSettings.h"
#include "app/TileDraw.h"
#include "app/run/TileSaver.h"
#include "core/Image.h"
#include "core/Random.h"
#include "engine/UMakeUnit.h"
#include "imageio/ColourTag.h"

namespace qm {

class TRunTiles;

// The settings of a run with the free ranges of its cut position, source
// side minus cut side, both at least 0: what its tiles are drawn and made
// with.
struct TileSeries : RunSettings {
    std::int32_t RangeX = 0;
    std::int32_t RangeY = 0;
    // What the tile files tell of their colours.
    ColourTag Tag;
};

// What every tile of a series is made with: the prepared maker and the
// picture the pieces are cut from, as the run has it after the fit and the
// blur.
struct TileWork {
    TMakeUnit& Maker;
    const Image& Source;
    const TileSeries& Series;
};

// The threads the tiles of a run are encoded and written by: its
// EncoderThreads, or for 0 one per core (one when the number of cores is
// unknown).
unsigned EncoderThreadsOf(const RunSettings& settings);

// Draws one tile from generator in the run's order: x0, then y0, then the
// brightness fraction when the series changes the brightness. When the
// series skips flat pieces, a position whose piece of source is less
// detailed than the level is put back and x0, y0 drawn again, up to
// kSkipFlatPositions positions; when none passes, the most detailed one
// seen is used. The brightness fraction is drawn once, after the position.
TileDraw DrawTile(Lcg& generator, const TileSeries& series, const Image& source);

// Makes the tile of draw: cuts the piece of the series' size at its corner
// into piece, changes its brightness by its amount, and lets the maker make
// the tile, which is then work.Maker.ResultImage(). False when the maker
// fails (its ErrorCode and ErrorText say why). This is the one step that both
// a run and a preview of one tile take.
bool MakeTileAt(const TileWork& work, const TileDraw& draw, Image& piece);

// The picture the file of a made tile holds: the tile laid out in the
// repeat the settings ask for (for a block, the tile itself).
Image LaidOutTile(const Image& tile, const ExtendedSettings& extended);

// The file of the tile with the running number of a run:
// outDirectory + prefix + three-digit number + .bmp, .jpg, .png or .tif.
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
// cuts the piece, lets the maker make the tile, lays it out and saves it as
// OutDirectory + Prefix + three-digit number + extension. Pieces are cut and
// tiles made in order on the calling thread; encoding and writing may run
// on the series' EncoderThreads threads (0: one per core), but files appear
// in running-number order and a failure ends the run exactly as it would
// with one thread: a maker failure is reported (and SilentStop thrown) only
// when all tiles before it are saved, otherwise the earlier saving failure
// is thrown.
void MakeTiles(Platform& platform, const TileWork& work, TileObserver* observer = nullptr);
// The same with the tiles made by tiles (RunTiles.h), smoothed or at a
// repeat size as the run asks, its JPEG files sampled as the series'
// settings say.
void MakeTiles(Platform& platform, TRunTiles& tiles, const TileSeries& series,
               TileObserver* observer = nullptr);

}  // namespace qm
