// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

#include "app/run/FitPicture.h"
#include "app/run/MakeTiles.h"
#include "app/record/RunRecord.h"

namespace qm {

// The folder beside the record that takes full-resolution tiles when no
// output folder is named.
inline constexpr const char* kFullResolutionFolder = "full-resolution";

// A fitted run's cut at the size of the picture before the fit, and the
// shorter side that picture must have.
struct FullResolutionCut {
    std::int32_t SizeX = 0;
    std::int32_t SizeY = 0;
    std::int32_t ShorterSide = 0;
};

// Throws ErrorMessage when the tiles of the record cannot be made again at
// the picture's own size: a shuffled run (its scattering depends on the cut
// size), a plug-in run, a fitted clipboard picture (only the fitted one was
// kept).
void RefuseFullResolution(const RunRecordData& record);

// The cut of a fitted record (scale below 1) at full resolution: each side
// divided by the scale, to the nearest even number. Throws ErrorMessage
// naming the size when a side is beyond the largest cut; nothing when the
// record's sizes and scale are no fit's.
std::optional<FullResolutionCut> FullCutOf(const RunRecordData& record);

// The draw of a fitted tile at full resolution: the cut of fullCut whose
// centre lies where the fitted cut's centre does, kept inside the full
// picture; the brightness amount as drawn.
TileDraw FullDrawOf(const TileDraw& draw, const RunRecordData& record,
                    const FullResolutionCut& fullCut, PictureSize full);

}  // namespace qm
