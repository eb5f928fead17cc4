// SPDX-License-Identifier: MIT
#include "app/run/PieceDetail.h"

namespace qm {

PieceDetail::PieceDetail(const Image& source, bool manyPieces) : source_(source)
{
    if (manyPieces && std::int64_t{source.Width()} * source.Height() <= kMaxTablePixels) {
        table_.emplace(source);
    }
}

double PieceDetail::Of(const Rect& rect) const
{
    return PlaneResidualDeviation(table_ ? table_->Of(rect) : MomentsOf(source_, rect), rect);
}

}  // namespace qm
