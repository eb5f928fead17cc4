// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Image.h"
#include "engine/UMakeUnit.h"

namespace qm {

// The common part of the wallpaper-group makers. The cut is the motif: the
// group lays it onto its fundamental region and repeats it by its
// symmetries. Prepare fills the index map (scattered by the shuffle) and
// has the group plan its tile; Make copies the piece into the motif through
// the index map and has the group render the tile from the motif by its
// plan alone.
class TGroupMaker : public TMakeUnit {
public:
    // Which part of the cut is the motif: all of it, or the square at its
    // top left whose side is the cut's shorter side (the program cuts these
    // groups square; the square keeps a cut of other proportions harmless).
    enum class Motif { WholeCut, Square };

    std::optional<TPoint> TileSizeFor(TPoint size) const final;

protected:
    explicit TGroupMaker(Motif motif) : motif_(motif) {}

    // The tile size for a motif of a by b pixels, both at least 1.
    virtual TPoint TileSize(int a, int b) const = 0;
    // Plans the tile of a motif of width by height pixels, both at least 1,
    // and returns the tile's size. Motif pixel (u, v), v counted from the
    // top, starts at byte v * MotifRowBytes() + 3 * u of the motif handed
    // to Render.
    virtual TPoint PlanTile(int width, int height) = 0;
    // Fills every pixel of the tile, already of the planned size.
    virtual void Render(const std::uint8_t* motif, Image& tile) const = 0;

    std::size_t MotifRowBytes() const { return 3 * static_cast<std::size_t>(X()); }

private:
    // The motif's width and height for a cut of size.
    TPoint MotifSize(TPoint size) const;

    void BuildMap() final;
    void CopyRows() final;
    void BuildResult() final;

    Motif motif_;
    TPoint tile_;
    // With the shuffle on: for every pixel of the cut, row by row from the
    // top, the byte offset in the piece of the pixel it shows; the piece is
    // copied through it into scattered_.
    std::vector<std::uint32_t> scatter_;
    Image scattered_;
};

}  // namespace qm
