// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/ExtendedSettings.h"
#include "app/Platform.h"
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
// the maker of TransMethod, prepares it for the cut SizeX x SizeY and checks
// that a cut fits the source. On a problem shows the error report and throws
// SilentStop (or ErrorMessage for sizes beyond 32 bits). With
// Extended.LargeCuts the built-in makers take cuts up to 2048 pixels and a
// plug-in is refused a cut above 256; with Extended.WallpaperGroups the
// groups' codes have makers.
PreparedMaker PrepareMaker(MessageBoxes& boxes, const Image& source, std::uint8_t TransMethod,
                           const std::string& DllName, std::int32_t RotateNum, std::int32_t SizeX,
                           std::int32_t SizeY, bool ShuffleFlag,
                           const ExtendedSettings& Extended = {});

// The generation run: loads the source, prepares the maker of TransMethod,
// and makes and saves Count numbered tiles. Returns normally when all are
// saved; otherwise throws SilentStop after an error report, or ErrorMessage.
//
// The tiles are made in order on the calling thread and encoded and written
// by EncoderThreads threads (0: one per core; 1: all on the calling thread).
// Files, messages and the way the run ends do not depend on the number.
// Extended holds the settings beyond the window's own controls. With
// Extended.Record the run leaves its record <prefix>record.json in
// OutDirectory (RunRecord.h), however it ends.
void MakeImages(Platform& platform, std::int32_t Count, std::uint8_t TransMethod,
                const std::string& FileName, const std::string& FolderName, std::int32_t SizeX,
                std::int32_t SizeY, const std::string& Prefix, std::uint8_t ImageType,
                std::uint8_t Quality, bool ShuffleFlag, bool ShadeOffFlag, bool BrightnessFlag,
                const std::string& DllName, const std::string& OutDirectory,
                std::int32_t RotateNum, std::uint8_t FileSelectType, unsigned EncoderThreads = 0,
                const ExtendedSettings& Extended = {});

}  // namespace qm
