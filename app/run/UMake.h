// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

#include "app/Platform.h"
#include "app/RunSettings.h"
#include "core/Image.h"
#include "core/MessageBoxes.h"
#include "engine/UMakeUnit.h"

namespace qm {

// The maker of a run, prepared for its cut, and the free ranges of the cut
// position in its source (source side minus cut side, both at least 0).
struct PreparedMaker {
    std::unique_ptr<TMakeUnit> Maker;
    std::int32_t RangeX = 0;
    std::int32_t RangeY = 0;
};

// The steps of a run between its source picture and its tile loop: creates
// the maker of settings.TransMethod, prepares it for the cut SizeX x SizeY
// and checks that a cut fits the source. On a problem shows the error report
// and throws SilentStop (or ErrorMessage for sizes beyond 32 bits). With
// LargeCuts the built-in makers take cuts up to 2048 pixels and a plug-in is
// refused a cut above 256; with WallpaperGroups the groups' codes have
// makers.
PreparedMaker PrepareMaker(MessageBoxes& boxes, const Image& source, const RunSettings& settings);

// The generation run: loads the source, prepares the maker of TransMethod,
// and makes and saves Count numbered tiles. Returns normally when all are
// saved; otherwise throws SilentStop after an error report, or ErrorMessage.
//
// The tiles are made in order on the calling thread and encoded and written
// by EncoderThreads threads. With ExtendedSettings.Record the run leaves its
// record <prefix>record.json in OutDirectory (RunRecord.h), however it ends.
// The index page and the other pages beside the tiles are the caller's.
void MakeImages(Platform& platform, const RunSettings& settings);

}  // namespace qm
