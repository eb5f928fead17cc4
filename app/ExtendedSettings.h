// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The settings beyond the main window's own controls, set in the
// extended-settings dialog or by the command line's options. They keep their
// values until the program ends. Every one starts off, so a make action with
// the defaults writes exactly what it writes without them.
struct ExtendedSettings {
    // A gallery page beside the tiles, named as the index page is: counted
    // from the output folder.
    bool Gallery = false;
    std::string GalleryName = "gallery.html";
    // One picture of every tile of the run; an empty name stands for
    // <prefix>sheet.png in the output folder.
    bool ContactSheet = false;
    std::string ContactSheetName;
    // A record of the run beside the tiles, <prefix>record.json, from which
    // any of its tiles can be made again.
    bool Record = false;
};

}  // namespace qm
