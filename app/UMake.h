// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "app/ExtendedSettings.h"
#include "app/Platform.h"

namespace qm {

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
