// SPDX-License-Identifier: MIT
#include "app/run/SmoothTile.h"

#include <algorithm>
#include <utility>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "effects/RepeatResample.h"
#include "effects/ScaleTo.h"
#include "effects/WideBlur.h"
#include "engine/MethodCatalogue.h"

namespace qm {

SmoothingFactor SmoothingFactorFor(int asked, TPoint cut)
{
    const int longer = std::max({cut.X, cut.Y, 1});
    const int factor = std::max(1, std::min(asked, TMakeUnit::kFineCutSide / longer));
    if (factor == asked) {
        return {factor, {}};
    }
    return {factor,
            Format(T("なめらかな縁の倍率を %1$d から %2$d に下げます (倍率と切り抜きの長い辺 %3$d "
                     "の積は %4$d まで)"),
                   {asked, factor, longer, TMakeUnit::kFineCutSide})};
}

std::string SmoothingRefusal(std::uint8_t methodCode, bool shuffle)
{
    if (methodCode == kPluginMethodCode) {
        return T("なめらかな縁は外部変換には使えません");
    }
    if (shuffle) {
        return T("なめらかな縁はシャッフルと一緒に使えません");
    }
    return {};
}

TFinePieces::TFinePieces(const Image& unscaled, PictureSize cutFrom, int factor, bool blur,
                         std::int64_t wholePixels)
    : unscaled_(unscaled),
      fine_{factor * cutFrom.Width, factor * cutFrom.Height},
      factor_(factor),
      blur_(blur)
{
    CheckImageSize(fine_.Width, fine_.Height);
    if (std::int64_t{fine_.Width} * fine_.Height <= wholePixels) {
        whole_ = ScaleTo(unscaled_, fine_.Width, fine_.Height);
        if (blur_) {
            WideBlur(whole_, factor_);
        }
    }
}

Image TFinePieces::Cut(const Rect& rect) const
{
    const Rect fine{factor_ * rect.Left, factor_ * rect.Top, factor_ * rect.Width,
                    factor_ * rect.Height};
    Image piece(fine.Width, fine.Height);
    if (!whole_.Empty()) {
        piece.CopyRect(0, 0, whole_, fine);
        return piece;
    }
    // The blur reads its reach around the piece, where the fine picture
    // has it; at the picture's edges it repeats them, as on the whole.
    const int reach = blur_ ? WideBlurReach(factor_) : 0;
    const int left = std::max(0, fine.Left - reach);
    const int top = std::max(0, fine.Top - reach);
    const int right = std::min(fine_.Width, fine.Left + fine.Width + reach);
    const int bottom = std::min(fine_.Height, fine.Top + fine.Height + reach);
    Image around = ScaleToRegion(unscaled_, fine_.Width, fine_.Height,
                                 Rect{left, top, right - left, bottom - top});
    if (blur_) {
        WideBlur(around, factor_);
    }
    piece.CopyRect(0, 0, around, Rect{fine.Left - left, fine.Top - top, fine.Width, fine.Height});
    return piece;
}

TSmoothTiles::TSmoothTiles(std::unique_ptr<TMakeUnit> maker, int factor)
    : maker_(std::move(maker)), factor_(factor)
{
}

bool TSmoothTiles::Prepare(TPoint cut, bool largeCuts, std::optional<PictureSize> tileSize)
{
    maker_->LargeCuts = largeCuts;
    if (!maker_->CheckCut(cut)) {
        return false;
    }
    const std::optional<TPoint> plain = maker_->TileSizeFor(cut);
    if (!plain) {
        return false;  // a cut without pixels, refused as Make would refuse it
    }
    cut_ = cut;
    tileSize_ = tileSize.value_or(PictureSize{plain->X, plain->Y});
    maker_->FineCuts = true;
    return maker_->Prepare(TPoint{factor_ * cut.X, factor_ * cut.Y}, false);
}

bool TSmoothTiles::Make(const TFinePieces& pieces, const TileDraw& draw)
{
    const Image fine = pieces.Cut(Rect{draw.X0, draw.Y0, cut_.X, cut_.Y});
    TileSeries series;
    series.SizeX = fine.Width();
    series.SizeY = fine.Height();
    TileDraw whole;
    whole.Amount = draw.Amount;
    if (!MakeTileAt({*maker_, fine, series}, whole, piece_)) {
        return false;
    }
    const TileAnchor anchor = maker_->Anchor();
    tile_ = ResampleRepeat(maker_->ResultImage(), tileSize_.Width, tileSize_.Height, anchor.HalfX,
                           anchor.HalfY);
    return true;
}

}  // namespace qm
