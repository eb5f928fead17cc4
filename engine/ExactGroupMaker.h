// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/GroupMaker.h"

namespace qm {

// A group on the square or rectangular pixel grid: every tile pixel shows
// one whole motif pixel, because every symmetry of the group maps whole
// pixels onto whole pixels (rotation centres and mirror lines on pixel
// centres or pixel edges). A group names its tile size and, for every tile
// pixel, the motif pixel it shows; Prepare turns that into runs of motif
// pixels, one list per tile row, and a row that shows the same as an
// earlier one is copied from it.
class TExactGroupMaker : public TGroupMaker {
public:
    // Mirror lines on motif pixel edges and on the diagonals of a square
    // motif, turns about motif pixel corners and the motif's centre: all at
    // the same place of a motif of blocks.
    bool ScalesWithCut() const override { return true; }

protected:
    using TGroupMaker::TGroupMaker;

    // The motif pixel (column, row from the top) that tile pixel (i, j)
    // shows, for a motif of a by b pixels.
    virtual TPoint MotifPixel(int i, int j, int a, int b) const = 0;

    // The motif column that tile column i shows where the motif's n columns
    // are mirrored on their right edge (and so, the tile being 2n wide, on
    // their left edge too); the same for rows.
    static int Fold(int i, int n) { return i < n ? i : 2 * n - 1 - i; }
    // The pixel of the top-left s by s quarter of a 2s by 2s tile that tile
    // pixel (i, j) shows where the quarter is turned on about the tile's
    // centre by quarter turns clockwise, into the top-right, bottom-right
    // and bottom-left quarters.
    static TPoint QuarterTurnBack(int i, int j, int s)
    {
        if (j < s) {
            return i < s ? TPoint{i, j} : TPoint{j, 2 * s - 1 - i};
        }
        return i >= s ? TPoint{2 * s - 1 - i, 2 * s - 1 - j} : TPoint{2 * s - 1 - j, i};
    }

private:
    TPoint PlanTile(int width, int height) final;
    void Render(const std::uint8_t* motif, Image& tile) const final;

    // count pixels from tile column x on, the first at byte source of the
    // motif, each following one step bytes further.
    struct Run {
        int x;
        int count;
        std::uint32_t source;
        std::ptrdiff_t step;
        bool operator==(const Run&) const = default;
    };
    // A tile row: a copy of tile row copyOf, or runs first..last-1.
    struct RowPlan {
        int copyOf;
        std::size_t first;
        std::size_t last;
    };
    std::vector<Run> runs_;
    std::vector<RowPlan> rows_;
};

}  // namespace qm
