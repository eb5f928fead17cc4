// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/SettingRanges.h"
#include "app/run/FitPicture.h"
#include "app/run/MakeTiles.h"
#include "core/Image.h"
#include "engine/UMakeUnit.h"

namespace qm {

// Smooth edges: a tile made by its method from a cut some times larger, of
// the picture at that many times the scale, and reduced onto the plain
// tile's size (or a repeat size) in linear light, wrapping round its edges,
// with its mirror lines where the plain tile has them. The turned and
// mirrored parts then show what lies under each tile pixel instead of the
// nearest piece pixel, and the tile keeps its size and its seamless edges.
//
// A maker whose ScalesWithCut() holds (no conversion and the wallpaper
// groups on the pixel grid but cmm) would give its plain tile again, up to
// the picture's resampling: a run smooths its tiles only where it does not.

// The factor a run smooths a cut by: the one asked (kSmoothFactorLeast to
// kSmoothFactorMost), lowered until it times the cut's longer side is at
// most TMakeUnit::kFineCutSide; then Warning says so, to be shown once.
struct SmoothingFactor {
    int Factor = 0;
    std::string Warning;
};
SmoothingFactor SmoothingFactorFor(int asked, TPoint cut);

// Why a run of this method and shuffle cannot be smoothed (a scattered
// piece or a plug-in's map has no edges to draw finer), for a usage error;
// empty when it can.
std::string SmoothingRefusal(std::uint8_t methodCode, bool shuffle);

// The pieces of a smoothed run: the unscaled picture resampled to factor
// times the size of the picture the run cuts from (the fitted picture, or
// the unscaled one itself when it was not fitted), shrunk with a Mitchell
// filter where the unscaled picture is larger and enlarged with Catmull-Rom
// where it is not, taken as it is where it has that size. The blur works
// at the run's scale: its kernel is factor times as wide (WideBlur), which
// blurs exactly as much as the run's blur of the fitted picture while the
// detail the unscaled picture has beyond it stays; the blurred fitted
// picture enlarged would be blurred twice and lose that detail.
//
// A fine picture of up to wholePixels (kWholeFinePixels unless told) is
// made once; a larger one (a large photograph smoothed without the fit) is
// never held: each piece is resampled from the part of the unscaled picture
// around it (the same pixels to a level), which the object must not
// outlive.
class TFinePieces {
public:
    static constexpr std::int64_t kWholeFinePixels = std::int64_t{1} << 25;

    TFinePieces(const Image& unscaled, PictureSize cutFrom, int factor, bool blur,
                std::int64_t wholePixels = kWholeFinePixels);

    int Factor() const { return factor_; }
    // The piece of rect (in the picture the run cuts from) at factor times
    // the scale: factor * rect.Width by factor * rect.Height.
    Image Cut(const Rect& rect) const;

private:
    const Image& unscaled_;
    PictureSize fine_;
    int factor_;
    bool blur_;
    Image whole_;
};

// The smoothed tiles of a run, one at a time, as its tile loop and the
// preview make them.
class TSmoothTiles {
public:
    // maker: a new maker of the run's method with its settings (CreateMaker),
    // not yet prepared.
    TSmoothTiles(std::unique_ptr<TMakeUnit> maker, int factor);

    // Checks the run's cut by the run's size rules (the codes a plain run
    // would report), then prepares the maker for factor times the cut. The
    // tiles come out tileSize large, the plain tile's size by default.
    // False with Maker().ErrorCode() set. A cut without pixels is the
    // caller's to refuse first, as PrepareMaker does; it gives false here
    // with no code.
    bool Prepare(TPoint cut, bool largeCuts, std::optional<PictureSize> tileSize = std::nullopt);

    // Makes the tile of draw, a draw of the run at its own scale: the
    // piece factor times larger at factor times its corner, its brightness
    // changed by the draw's amount (MakeTileAt), the fine tile reduced onto
    // the tile size. False when the maker fails.
    bool Make(const TFinePieces& pieces, const TileDraw& draw);

    const Image& Tile() const { return tile_; }
    const TMakeUnit& Maker() const { return *maker_; }

private:
    std::unique_ptr<TMakeUnit> maker_;
    int factor_;
    TPoint cut_;
    PictureSize tileSize_;
    Image piece_;
    Image tile_;
};

}  // namespace qm
