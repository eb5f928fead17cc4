// SPDX-License-Identifier: MIT
#include "app/run/RunTiles.h"

#include <utility>

#include "core/RepeatSizeText.h"
#include "app/run/MakerFactory.h"
#include "app/run/UMake.h"
#include "core/Errors.h"
#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"

namespace qm {

TRunTiles::TRunTiles(TMakeUnit& maker, const Image& source, TPoint cut,
                     std::optional<PictureSize> repeatSize)
    : maker_(&maker), source_(source), cut_(cut), repeatSize_(repeatSize)
{
}

TRunTiles::TRunTiles(std::unique_ptr<TMakeUnit> maker, const Image& source, TPoint cut,
                     std::optional<PictureSize> repeatSize)
    : TRunTiles(*maker, source, cut, repeatSize)
{
    ownMaker_ = std::move(maker);
}

TRunTiles::TRunTiles(std::unique_ptr<TSmoothTiles> smooth, std::unique_ptr<TFinePieces> pieces,
                     const Image& source)
    : source_(source), smooth_(std::move(smooth)), pieces_(std::move(pieces))
{
}

const TMakeUnit& TRunTiles::Maker() const
{
    return smooth_ ? smooth_->Maker() : *maker_;
}

bool TRunTiles::Make(const TileDraw& draw)
{
    if (smooth_) {
        if (!smooth_->Make(*pieces_, draw)) {
            return false;
        }
        tile_ = &smooth_->Tile();
        return true;
    }
    TileSeries series;
    series.SizeX = cut_.X;
    series.SizeY = cut_.Y;
    if (!MakeTileAt({*maker_, source_, series}, draw, piece_)) {
        return false;
    }
    tile_ = &maker_->ResultImage();
    if (repeatSize_) {
        sized_ = ToRepeatSize(*tile_, *repeatSize_, maker_->Anchor());
        tile_ = &sized_;
    }
    return true;
}

std::optional<RepeatSize> RunRepeatSize(const TMakeUnit& maker, bool plugin, TPoint cut,
                                        bool largeCuts, const ExtendedSettings& extended)
{
    if (!extended.RepeatSize) {
        return std::nullopt;
    }
    const std::optional<TPoint> tile = maker.TileSizeFor(cut);
    const std::optional<RepeatSizeAsked> asked = ParseRepeatSize(extended.RepeatSizeText);
    if (!tile || !asked) {
        return std::nullopt;
    }
    RepeatTiles tiles{cut, *tile,
                      !plugin && largeCuts ? TMakeUnit::kLargeCutSide : TMakeUnit::kPixelSide,
                      nullptr};
    if (!plugin) {
        tiles.TileOfCut = [&maker](TPoint other) { return maker.TileSizeFor(other); };
    }
    return ResolveRepeatSize(extended.RepeatSizeText, *asked, extended.Dpi ? extended.DpiValue : 0,
                             tiles);
}

namespace {

[[noreturn]] void Refuse(MessageBoxes& boxes, const std::string& message)
{
    boxes.ShowErrorBox(message);
    throw SilentStop();
}

}  // namespace

PreparedTiles PrepareRunTiles(MessageBoxes& boxes, const RunTilesAsked& asked)
{
    const RunSettings& settings = asked.Settings;
    const ExtendedSettings& extended = settings.ExtendedSettings;
    const TPoint cut{settings.SizeX, settings.SizeY};
    PreparedMaker prepared = PrepareMaker(boxes, *asked.Source, settings);
    PreparedTiles result;
    result.RangeX = prepared.RangeX;
    result.RangeY = prepared.RangeY;
    std::optional<PictureSize> repeatSize;
    if (const std::optional<RepeatSize> size = RunRepeatSize(
            *prepared.Maker, settings.TransMethod == kPluginMethodCode, asked.RepeatCut.value_or(cut),
            extended.LargeCuts, extended)) {
        if (size->Problem != RepeatSizeProblem::None) {
            Refuse(boxes, size->Message);
        }
        repeatSize = size->Size;
    }
    if (!extended.Smooth || prepared.Maker->ScalesWithCut()) {
        result.Tiles = std::make_unique<TRunTiles>(std::move(prepared.Maker), *asked.Source, cut,
                                                   repeatSize);
        return result;
    }
    if (const std::string refusal = SmoothingRefusal(settings.TransMethod, settings.ShuffleFlag);
        !refusal.empty()) {
        Refuse(boxes, refusal);
    }
    const SmoothingFactor factor = SmoothingFactorFor(extended.SmoothFactor, cut);
    result.Warning = factor.Warning;
    // The plain maker's arrays go before the finer one's are made.
    prepared.Maker.reset();
    auto smooth = std::make_unique<TSmoothTiles>(
        CreateMaker(settings.TransMethod, settings.DllName, settings.RotateNum,
                    extended.WallpaperGroups),
        factor.Factor);
    if (!smooth->Prepare(cut, extended.LargeCuts, repeatSize)) {
        ReportError(boxes, smooth->Maker().ErrorCode(), smooth->Maker().ErrorText());
        throw SilentStop();
    }
    auto pieces = std::make_unique<TFinePieces>(
        *asked.Unscaled, PictureSize{asked.Source->Width(), asked.Source->Height()}, factor.Factor,
        settings.ShadeOffFlag);
    result.Tiles = std::make_unique<TRunTiles>(std::move(smooth), std::move(pieces), *asked.Source);
    return result;
}

}  // namespace qm
