// SPDX-License-Identifier: MIT
#include "app/MakeTiles.h"

#include <algorithm>

#include "app/OutputType.h"
#include "app/PieceDetail.h"
#include "app/RunTiles.h"
#include "app/TileSaver.h"
#include "core/Errors.h"
#include "core/Random.h"
#include "effects/EffectLib.h"
#include "engine/ErrorCodes.h"
#include "imageio/OutputNames.h"

namespace qm {

std::string TilePath(const std::string& outDirectory, const std::string& prefix,
                     std::uint8_t imageType, std::int32_t number)
{
    return outDirectory + NumberedName(prefix, number, TileOutputType(imageType).extension);
}

namespace {

// DrawTile with the pieces judged by detail.
TileDraw DrawJudgedTile(Lcg& generator, const TileSeries& series, const PieceDetail& detail)
{
    TileDraw draw;
    const auto drawPosition = [&](int& x0, int& y0) {
        x0 = static_cast<int>(generator.Random(static_cast<std::uint32_t>(series.RangeX)));
        y0 = static_cast<int>(generator.Random(static_cast<std::uint32_t>(series.RangeY)));
    };
    drawPosition(draw.X0, draw.Y0);
    if (series.Extended.SkipFlat) {
        const auto detailAt = [&](int x0, int y0) {
            return detail.Of(Rect{x0, y0, series.SizeX, series.SizeY});
        };
        double best = detailAt(draw.X0, draw.Y0);
        while (best < series.Extended.SkipFlatLevel && draw.Tried < kSkipFlatPositions) {
            ++draw.Tried;
            int x0 = 0;
            int y0 = 0;
            drawPosition(x0, y0);
            const double detail = detailAt(x0, y0);
            if (detail > best) {
                best = detail;
                draw.X0 = x0;
                draw.Y0 = y0;
            }
        }
    }
    if (series.BrightnessFlag) {
        const double f = generator.RandomFraction();
        draw.Amount = f * (kBrightnessAmountEnd - kBrightnessAmountMin) + kBrightnessAmountMin;
    }
    return draw;
}

}  // namespace

TileDraw DrawTile(Lcg& generator, const TileSeries& series, const Image& source)
{
    return DrawJudgedTile(generator, series, PieceDetail(source, false));
}

bool MakeTileAt(TMakeUnit& maker, const Image& source, const TileSeries& series,
                const TileDraw& draw, Image& piece)
{
    if (piece.Width() != series.SizeX || piece.Height() != series.SizeY) {
        piece = Image(series.SizeX, series.SizeY);
    }
    piece.CopyRect(0, 0, source, Rect{draw.X0, draw.Y0, series.SizeX, series.SizeY});
    if (draw.Amount) {
        TImageEffect effect;
        effect.SetSource(piece);
        effect.ChangeBrightness(*draw.Amount);
        piece = effect.GetResult();
    }
    return maker.Make(piece);
}

void MakeTiles(Platform& platform, TMakeUnit& maker, const Image& source, const TileSeries& series,
               TileObserver* observer)
{
    TRunTiles tiles(maker, source, TPoint{series.SizeX, series.SizeY});
    MakeTiles(platform, tiles, series, observer);
}

void MakeTiles(Platform& platform, TRunTiles& tiles, const TileSeries& series,
               TileObserver* observer)
{
    // More threads than tiles would only wait.
    const unsigned threads =
        series.Count < 1 ? 1u : std::min(series.EncoderThreads, static_cast<unsigned>(series.Count));
    TTileSaver saver(threads, series.ImageType, series.Quality,
                     series.Extended.Dpi ? series.Extended.DpiValue : 0,
                     BandThreads(series.SizeX, series.SizeY, series.EncoderThreads), observer,
                     JpegChromaOf(series.Extended));

    // The tables of the source's detail are built once for all tiles.
    const PieceDetail detail(tiles.Source(), series.Extended.SkipFlat);
    rng::Reseed();
    for (std::int32_t i = 1; i <= series.Count; ++i) {
        const std::string path = TilePath(series.OutDirectory, series.Prefix, series.ImageType, i);
        if (!platform.TileProgress(i, series.Count, path)) {
            saver.Finish();
            throw SilentStop();
        }
        const TileDraw draw = DrawJudgedTile(rng::Global(), series, detail);
        if (!tiles.Make(draw)) {
            // A tile before this one may have failed to save, which would
            // have ended the run first.
            saver.Finish();
            ReportError(platform, tiles.Maker().ErrorCode(), tiles.Maker().ErrorText());
            throw SilentStop();
        }

        if (observer != nullptr) {
            observer->TileMade(i, path, draw);
        }
        // The next Make overwrites the tile; the saver gets a copy.
        saver.Save(tiles.Tile(), path);
    }
    saver.Finish();
}

}  // namespace qm
