// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/GroupMaker.h"

namespace qm {

// A linear part of the symmetries of the hexagonal lattice about a lattice
// point: the turn by k * 60 degrees, or the mirror in the line at k * 30
// degrees, angles counted from the x axis towards y (down the picture).
struct HexLinearPart {
    bool mirror;
    int k;  // 0 to 5
};

// A group on the hexagonal lattice. The tile is a W by H rectangle, W even
// and H = 2 round(W sqrt(3) / 2), that holds the lattice (W, 0), (W/2, H/2):
// laid edge to edge it repeats the pattern, the cells stretched upright by
// H / (W sqrt(3)) - 1 (at most 0.21 % from W = 256 on).
//
// The group's fundamental region is a union of copies of the triangle T
// between a lattice point, the middle of a lattice edge and the centre of a
// lattice triangle, a twelfth of a cell. Every tile pixel centre is folded
// into T by the lattice and the mirrors of the full group, then carried
// into the region by the one region part that completes the fold to a
// symmetry of this group; the region's bounding box is scaled onto the
// motif, which is sampled bilinearly there. W makes the box's longer side
// as long as the motif's, so a tile pixel spans at most sqrt(3) motif
// pixels. Rows and columns that a mirror, the half turn or the lattice
// vector (W/2, H/2) maps onto pixels already made are copied from them.
class THexGroupMaker : public TGroupMaker {
protected:
    // linearParts: bit k for the turn by k * 60 degrees, bit 6 + k for the
    // mirror at k * 30 degrees. regionParts: one linear part for each coset
    // of the group in the lattice's full group, carrying T into the region.
    THexGroupMaker(std::uint16_t linearParts, std::vector<HexLinearPart> regionParts);

private:
    // The bounding box of the region, in lattice edges.
    struct Box {
        double lowX;
        double lowY;
        double highX;
        double highY;
    };
    Box RegionBox() const;

    TPoint TileSize(int a, int b) const final;
    TPoint PlanTile(int width, int height) final;
    void Render(const std::uint8_t* motif, Image& tile) const final;

    bool Holds(HexLinearPart part) const;

    // A motif pixel's weights: the top-left of its four neighbours at byte
    // source, and the weights of the right and the lower ones in 256ths.
    struct Sample {
        std::uint32_t source;
        std::uint16_t right;
        std::uint16_t down;
    };
    enum class RowKind : std::uint8_t {
        Sampled,     // samples, then the right half mirrored when the group has an upright mirror
        Turned,      // row from, shifted by W/2
        TurnedBack,  // row from, read backwards and shifted by W/2
    };
    struct RowPlan {
        RowKind kind;
        int from;
        std::size_t first;  // the row's first sample
    };

    std::uint16_t linearParts_;
    std::vector<HexLinearPart> regionParts_;
    int sampledWidth_ = 0;
    std::vector<Sample> samples_;
    std::vector<RowPlan> rows_;
};

}  // namespace qm
