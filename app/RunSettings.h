// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/ExtendedSettings.h"

namespace qm {

// The values of the HTML settings dialog that the index page is written
// with.
struct HtmlPageSettings {
    std::string Title{};
    std::int32_t NumOfCol = 0;
    std::int32_t PopupWidth = 0;
    std::int32_t PopupHeight = 0;
    std::string HtmlFileName{};

    bool operator==(const HtmlPageSettings&) const = default;
};

// Everything a run is made with. The window's make action fills it after its
// checks, the preview from the window's current values and the replay from a
// run record; the run, its record and the pages beside the tiles read it.
// Every member has its initializer, so that a list of some of them by name
// ({.Count = 3, .SizeX = 64, ...}) leaves the others at their defaults.
struct RunSettings {
    // The sixteen inputs of the make action, in its order.
    std::int32_t Count = 0;
    // The method code; with the plug-in method, DllName is its library.
    std::uint8_t TransMethod = 1;
    // The source picture's file (FileSelectType 0) or folder (1).
    std::string FileName{};
    std::string FolderName{};
    // The cut, in pixels.
    std::int32_t SizeX = 0;
    std::int32_t SizeY = 0;
    // Start of every output file name; may be empty.
    std::string Prefix{};
    // Output file type (0 BMP, 1 JPEG, 2 PNG) and JPEG quality (1 to 100).
    std::uint8_t ImageType = 0;
    std::uint8_t Quality = 0;
    bool ShuffleFlag = false;
    bool ShadeOffFlag = false;
    bool BrightnessFlag = false;
    std::string DllName{};
    // Output folder, ending in "/", or empty for the working folder.
    std::string OutDirectory{};
    // Rotate number of the distorted-square method.
    std::int32_t RotateNum = 3;
    // Kind of source: 0 the file FileName, 1 a picture of the folder
    // FolderName, 2 the clipboard picture.
    std::uint8_t FileSelectType = 0;

    // Threads that encode and write the tiles: 0 for one per core, 1 for all
    // on the calling thread. Files, messages and the way a run ends do not
    // depend on the number.
    unsigned EncoderThreads = 0;
    // The settings beyond the window's own controls.
    qm::ExtendedSettings ExtendedSettings{};
    // The index page written after the tiles; nothing without one.
    std::optional<HtmlPageSettings> Html{};

    bool operator==(const RunSettings&) const = default;
};

}  // namespace qm
