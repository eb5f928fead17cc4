// SPDX-License-Identifier: MIT
#include "app/MakeTiles.h"

#include <algorithm>

#include "app/OutputType.h"
#include "app/TileSaver.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Random.h"
#include "effects/EffectLib.h"
#include "engine/ErrorCodes.h"

namespace qm {

std::string TilePath(const std::string& outDirectory, const std::string& prefix,
                     std::uint8_t imageType, std::int32_t number)
{
    return outDirectory + prefix + Format("%.3d", {number}) + "." +
           TileOutputType(imageType).extension;
}

TileDraw DrawTile(Lcg& generator, const TileSeries& series)
{
    TileDraw draw;
    draw.X0 = static_cast<int>(generator.Random(static_cast<std::uint32_t>(series.RangeX)));
    draw.Y0 = static_cast<int>(generator.Random(static_cast<std::uint32_t>(series.RangeY)));
    if (series.BrightnessFlag) {
        const double f = generator.RandomFraction();
        draw.Amount = f * 0.5 - 0.25;
    }
    return draw;
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

void MakeTiles(Platform& platform, TMakeUnit& maker, const Image& source, const TileSeries& series)
{
    Image PieceImage(series.SizeX, series.SizeY);
    // More threads than tiles would only wait.
    const unsigned threads =
        series.Count < 1 ? 1u : std::min(series.EncoderThreads, static_cast<unsigned>(series.Count));
    TTileSaver saver(threads, series.ImageType, series.Quality);

    rng::Reseed();
    for (std::int32_t i = 1; i <= series.Count; ++i) {
        const std::string path = TilePath(series.OutDirectory, series.Prefix, series.ImageType, i);
        if (!platform.TileProgress(i, series.Count, path)) {
            saver.Finish();
            throw SilentStop();
        }
        const TileDraw draw = DrawTile(rng::Global(), series);
        if (!MakeTileAt(maker, source, series, draw, PieceImage)) {
            // A tile before this one may have failed to save, which would
            // have ended the run first.
            saver.Finish();
            ReportError(platform, maker.ErrorCode(), maker.ErrorText());
            throw SilentStop();
        }

        // The next Make overwrites the result image; the saver gets a copy.
        saver.Save(maker.ResultImage(), path);
    }
    saver.Finish();
}

}  // namespace qm
