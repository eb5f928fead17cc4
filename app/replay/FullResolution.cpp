// SPDX-License-Identifier: MIT
#include "app/replay/FullResolution.h"

#include <algorithm>
#include <cmath>

#include "app/run/SourceImages.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"
#include "engine/UMakeUnit.h"

namespace qm {
namespace {

// side * full / fitted to the nearest even number; a quotient exactly
// between two even numbers (an odd whole number) goes to the upper one.
std::int64_t EvenQuotient(std::int64_t side, std::int64_t full, std::int64_t fitted)
{
    return 2 * ((side * full + fitted) / (2 * fitted));
}

// The corner of a full-resolution cut along one side of the picture: the
// fitted cut's centre mapped by the ratio of the two pictures' sides, less
// half the full cut, to the nearest pixel (halves go up), kept inside.
int FullCorner(int corner, int cut, int fittedSide, int fullCut, int fullSide)
{
    // Twice the fitted side times the exact corner.
    const std::int64_t twice = (2 * std::int64_t{corner} + cut) * fullSide -
                               std::int64_t{fullCut} * fittedSide;
    const std::int64_t rounded = twice <= 0 ? 0 : (twice + fittedSide) / (2 * std::int64_t{fittedSide});
    return static_cast<int>(std::max<std::int64_t>(0, std::min<std::int64_t>(rounded, fullSide - fullCut)));
}

}  // namespace

void RefuseFullResolution(const RunRecordData& record)
{
    if (record.ShuffleFlag) {
        throw ErrorMessage(T("シャッフルした作成記録は元の解像度で作り直せません"
                             "（ばらばらにする位置が切り抜きサイズで決まるため）。"));
    }
    if (record.TransMethod == kPluginMethodCode) {
        throw ErrorMessage(T("外部変換の作成記録は元の解像度で作り直せません。"));
    }
    if (record.FileSelectType == kSourceClipboard && record.SourceScale != 1.0) {
        throw ErrorMessage(T("クリップボードの画像は縮小後の大きさで記録されているため、"
                             "元の解像度で作り直せません。"));
    }
}

std::optional<FullResolutionCut> FullCutOf(const RunRecordData& record)
{
    const int fittedShorter = std::min(record.SourceWidth, record.SourceHeight);
    const double scale = record.SourceScale;
    if (fittedShorter < 1 || record.SizeX < 1 || record.SizeY < 1 || !(scale > 0.0 && scale < 1.0) ||
        fittedShorter / scale > 1e9) {
        return std::nullopt;
    }
    // The fit's scale is the fitted shorter side over the picture's own, so
    // the picture's own is found again whole, and the cut exactly.
    const auto shorter = static_cast<std::int64_t>(std::llround(fittedShorter / scale));
    if (static_cast<double>(fittedShorter) / static_cast<double>(shorter) != scale) {
        return std::nullopt;
    }
    const auto side = [&](std::int32_t fitted) {
        std::int64_t full = EvenQuotient(fitted, shorter, fittedShorter);
        // A cut the size of the fitted picture's shorter side may round up
        // past the picture's own; the even number below it is the nearest
        // that fits.
        return full > shorter ? full - 2 : full;
    };
    const std::int64_t x = side(record.SizeX);
    const std::int64_t y = side(record.SizeY);
    if (std::max(x, y) > TMakeUnit::kLargeCutSide) {
        throw ErrorMessage(Format(T("元の解像度での切り抜きサイズ %dx%d は %d を超えるため作れません。"),
                                  {x, y, TMakeUnit::kLargeCutSide}));
    }
    return FullResolutionCut{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                             static_cast<std::int32_t>(shorter)};
}

TileDraw FullDrawOf(const TileDraw& draw, const RunRecordData& record,
                    const FullResolutionCut& fullCut, PictureSize full)
{
    TileDraw mapped = draw;
    mapped.X0 = FullCorner(draw.X0, record.SizeX, record.SourceWidth, fullCut.SizeX, full.Width);
    mapped.Y0 = FullCorner(draw.Y0, record.SizeY, record.SourceHeight, fullCut.SizeY, full.Height);
    return mapped;
}

}  // namespace qm
