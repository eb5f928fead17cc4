// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/ExtendedSettings.h"
#include "app/RunSettings.h"
#include "app/run/FitPicture.h"
#include "app/run/MakeTiles.h"
#include "app/run/RepeatSize.h"
#include "app/run/SmoothTile.h"
#include "core/Image.h"
#include "core/MessageBoxes.h"
#include "engine/UMakeUnit.h"

namespace qm {

// The finished tiles of a run's draws, one at a time: the maker's tile of
// the piece, resampled to the repeat size when one is asked, or the
// smoothed tile, made at that size. This is the step a run, a replay and the
// preview share between a draw and a file.
class TRunTiles {
public:
    // The tiles of a prepared maker of cut from pieces of source; the
    // maker (unless handed over) and source must outlive the object.
    TRunTiles(TMakeUnit& maker, const Image& source, TPoint cut,
              std::optional<PictureSize> repeatSize = std::nullopt);
    TRunTiles(std::unique_ptr<TMakeUnit> maker, const Image& source, TPoint cut,
              std::optional<PictureSize> repeatSize);
    // The smoothed tiles of smooth, prepared, from pieces at the scale of
    // source.
    TRunTiles(std::unique_ptr<TSmoothTiles> smooth, std::unique_ptr<TFinePieces> pieces,
              const Image& source);

    // Makes the tile of draw; false when the maker fails (Maker() says why).
    bool Make(const TileDraw& draw);
    const Image& Tile() const { return *tile_; }
    const TMakeUnit& Maker() const;
    // The picture the pieces are cut from, at the run's scale.
    const Image& Source() const { return source_; }

private:
    std::unique_ptr<TMakeUnit> ownMaker_;
    TMakeUnit* maker_ = nullptr;
    const Image& source_;
    TPoint cut_;
    std::optional<PictureSize> repeatSize_;
    std::unique_ptr<TSmoothTiles> smooth_;
    std::unique_ptr<TFinePieces> pieces_;
    Image piece_;
    Image sized_;
    const Image* tile_ = nullptr;
};

// What the tiles of a run follow: its settings, the cut SizeX x SizeY (the
// blur, ShadeOffFlag, smoothing applies to its finer pieces too).
struct RunTilesAsked {
    RunSettings Settings;
    // The picture the run cuts from (fitted and blurred as asked) and, for
    // smoothing, the picture before the fit and the blur; both must
    // outlive the tiles.
    const Image* Source = nullptr;
    const Image* Unscaled = nullptr;
    // The cut whose tile the repeat size is resolved against, when not the
    // run's own: a full-resolution replay keeps the run's repeat size.
    std::optional<TPoint> RepeatCut;
};

// The tiles of a run prepared, the free ranges of the cut position, and,
// when the smoothing factor had to come down, the line that says so.
struct PreparedTiles {
    std::unique_ptr<TRunTiles> Tiles;
    std::int32_t RangeX = 0;
    std::int32_t RangeY = 0;
    std::string Warning;
};

// Prepares the tiles of a run: the maker with PrepareMaker's checks and
// reports; the repeat size resolved against its tile and refused with its
// message in an error box; with smoothing asked, of a method whose tiles a
// finer cut changes (not ScalesWithCut), the maker made again for the finer
// cut (the shuffle and plug-ins refused with SmoothingRefusal's message).
// Every refusal throws SilentStop after its box.
PreparedTiles PrepareRunTiles(MessageBoxes& boxes, const RunTilesAsked& asked);

// The repeat size the settings ask of the tiles of maker at cut, resolved
// as ResolveRepeatSize does, the cut that allows a size sought among the
// maker's other cuts (a plug-in's are unknown); nothing when the settings
// ask none or the maker does not know its tile (a plug-in not yet
// prepared).
std::optional<RepeatSize> RunRepeatSize(const TMakeUnit& maker, bool plugin, TPoint cut,
                                        bool largeCuts, const ExtendedSettings& extended);

}  // namespace qm
