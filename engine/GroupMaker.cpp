// SPDX-License-Identifier: MIT
#include "engine/GroupMaker.h"

#include <algorithm>

namespace qm {

TPoint TGroupMaker::MotifSize(TPoint size) const
{
    const int side = std::min(size.X, size.Y);
    return motif_ == Motif::Square ? TPoint{side, side} : size;
}

std::optional<TPoint> TGroupMaker::TileSizeFor(TPoint size) const
{
    const TPoint motif = MotifSize(size);
    if (motif.X < 1 || motif.Y < 1) {
        return std::nullopt;  // refused when made
    }
    return TileSize(motif.X, motif.Y);
}

void TGroupMaker::BuildMap()
{
    BuildIdentityIndexMap(X(), Y());
    scatter_.clear();
    tile_ = {};
    if (X() < 1 || Y() < 1) {
        return;  // no pixel to lay out; Make refuses such a cut
    }
    if (ShuffleFlag()) {
        // Index-map rows count from the bottom of the piece, motif rows from
        // its top.
        scatter_.resize(static_cast<std::size_t>(X()) * static_cast<std::size_t>(Y()));
        for (int v = 0; v < Y(); ++v) {
            for (int u = 0; u < X(); ++u) {
                const std::int32_t code = IndexMap(u, Y() - 1 - v);
                const int column = code / Side();
                const int row = code % Side();
                if (code < 0 || column >= X() || row >= Y()) {
                    OutOfBounds();
                }
                const std::size_t offset = static_cast<std::size_t>(Y() - 1 - row) * MotifRowBytes() +
                                           3 * static_cast<std::size_t>(column);
                scatter_[static_cast<std::size_t>(v) * static_cast<std::size_t>(X()) +
                         static_cast<std::size_t>(u)] = static_cast<std::uint32_t>(offset);
            }
        }
    }
    const TPoint motif = MotifSize({X(), Y()});
    tile_ = PlanTile(motif.X, motif.Y);
}

void TGroupMaker::CopyRows()
{
    if (scatter_.empty()) {
        return;  // the motif is the piece as drawn into the work image
    }
    scattered_.SetSize(X(), Y());
    const std::uint8_t* piece = Work().Row(0);
    std::uint8_t* motif = scattered_.Row(0);
    for (const std::uint32_t source : scatter_) {
        motif[0] = piece[source];
        motif[1] = piece[source + 1];
        motif[2] = piece[source + 2];
        motif += 3;
    }
}

void TGroupMaker::BuildResult()
{
    Result().SetSize(tile_.X, tile_.Y);
    Render(scatter_.empty() ? Work().Row(0) : scattered_.Row(0), Result());
}

}  // namespace qm
