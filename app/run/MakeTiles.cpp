// SPDX-License-Identifier: MIT
#include "app/run/MakeTiles.h"

#include <algorithm>
#include <thread>

#include "app/OutputType.h"
#include "app/run/PieceDetail.h"
#include "app/run/RunTiles.h"
#include "app/run/TileSaver.h"
#include "app/run/TileVariants.h"
#include "core/Errors.h"
#include "core/Random.h"
#include "effects/EffectLib.h"
#include "engine/ErrorCodes.h"
#include "engine/RepeatLayout.h"
#include "imageio/OutputNames.h"

namespace qm {

std::string TilePath(const std::string& outDirectory, const std::string& prefix,
                     std::uint8_t imageType, std::int32_t number)
{
    return outDirectory + NumberedName(prefix, number, TileOutputType(imageType).extension);
}

unsigned EncoderThreadsOf(const RunSettings& settings)
{
    return settings.EncoderThreads != 0 ? settings.EncoderThreads
                                        : std::max(1u, std::thread::hardware_concurrency());
}

namespace {

// One coordinate of a cut position, one draw of generator: 0 to range - 1
// or, for a series placed by hand, within radius of place, clipped to 0 to
// range (the last position a piece can take).
int DrawCoordinate(Lcg& generator, std::int32_t range, const ExtendedSettings& extended, int place)
{
    if (!extended.At) {
        return static_cast<int>(generator.Random(static_cast<std::uint32_t>(range)));
    }
    const std::int64_t low = std::clamp<std::int64_t>(std::int64_t{place} - extended.AtRadius, 0, range);
    const std::int64_t high = std::clamp<std::int64_t>(std::int64_t{place} + extended.AtRadius, 0, range);
    return static_cast<int>(low + generator.Random(static_cast<std::uint32_t>(high - low + 1)));
}

// DrawTile with the pieces judged by detail.
TileDraw DrawJudgedTile(Lcg& generator, const TileSeries& series, const PieceDetail& detail)
{
    TileDraw draw;
    const ExtendedSettings& extended = series.ExtendedSettings;
    const auto drawPosition = [&](int& x0, int& y0) {
        x0 = DrawCoordinate(generator, series.RangeX, extended, extended.AtX);
        y0 = DrawCoordinate(generator, series.RangeY, extended, extended.AtY);
    };
    drawPosition(draw.X0, draw.Y0);
    if (series.ExtendedSettings.SkipFlat) {
        const auto detailAt = [&](int x0, int y0) {
            return detail.Of(Rect{x0, y0, series.SizeX, series.SizeY});
        };
        double best = detailAt(draw.X0, draw.Y0);
        while (best < series.ExtendedSettings.SkipFlatLevel && draw.Tried < kSkipFlatPositions) {
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

Image LaidOutTile(const Image& tile, const ExtendedSettings& extended)
{
    return LayOutRepeat(tile, extended.Layout);
}

bool MakeTileAt(const TileWork& work, const TileDraw& draw, Image& piece)
{
    const TileSeries& series = work.Series;
    if (piece.Width() != series.SizeX || piece.Height() != series.SizeY) {
        piece = Image(series.SizeX, series.SizeY);
    }
    piece.CopyRect(0, 0, work.Source, Rect{draw.X0, draw.Y0, series.SizeX, series.SizeY});
    if (draw.Amount) {
        TImageEffect effect;
        effect.SetSource(piece);
        effect.ChangeBrightness(*draw.Amount);
        piece = effect.GetResult();
    }
    return work.Maker.Make(piece);
}

void MakeTiles(Platform& platform, const TileWork& work, TileObserver* observer)
{
    TRunTiles tiles(work.Maker, work.Source, TPoint{work.Series.SizeX, work.Series.SizeY});
    MakeTiles(platform, tiles, work.Series, observer);
}

void MakeTiles(Platform& platform, TRunTiles& tiles, const TileSeries& series,
               TileObserver* observer)
{
    const unsigned encoders = EncoderThreadsOf(series);
    // More threads than tiles would only wait.
    const unsigned threads =
        series.Count < 1 ? 1u : std::min(encoders, static_cast<unsigned>(series.Count));
    TTileSaver saver(threads, series.ImageType, series.Quality,
                     series.ExtendedSettings.Dpi ? series.ExtendedSettings.DpiValue : 0,
                     BandThreads(series.SizeX, series.SizeY, encoders), observer, series.Tag,
                     JpegChromaOf(series.ExtendedSettings));

    // The tables of the source's detail are built once for all tiles.
    const PieceDetail detail(tiles.Source(), series.ExtendedSettings.SkipFlat);
    TileVariants variants(series.ExtendedSettings);
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
        Image laidOut = LaidOutTile(tiles.Tile(), series.ExtendedSettings);
        std::vector<VariantFile> variantFiles = variants.FilesOf(
            laidOut, VariantPaths(series.OutDirectory, series.Prefix, series.ImageType, i,
                                  series.ExtendedSettings));
        saver.Save(std::move(laidOut), path, std::move(variantFiles));
    }
    saver.Finish();
}

}  // namespace qm
