// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"

namespace qm {

// What to make again from a run record, and where.
struct ReplayRequest {
    std::string RecordFile;
    // Running numbers of the tiles; empty for every tile of the record.
    std::vector<std::int32_t> Tiles;
    // Output folder (default: the record's folder), type, quality and
    // prefix (default: the run's).
    std::optional<std::string> OutDirectory;
    std::optional<std::uint8_t> ImageType;
    std::optional<std::int32_t> Quality;
    std::optional<std::string> Prefix;
    // The chroma of JPEG tiles (444 or 420; default: the run's).
    std::optional<int> Chroma;
    // The tiles of a fitted run cut from the picture at its own size, the
    // same region at more pixels (FullResolution.h); a run that kept its
    // picture's size makes its tiles as they were.
    bool FullResolution = false;
    // As RunSettings takes them: 0 for one per core.
    unsigned EncoderThreads = 0;
};

// Makes the tiles of a recorded run again, from its source, settings and
// draws, and puts them in place as the run did (atomically, in running-number
// order, replacing files of their names). With the run's output type the
// files equal the run's. Throws ErrorMessage when the record cannot be used
// (one that a run would refuse, RecordFields.h, before any picture is read;
// a source that is missing or whose bytes changed, a changed plug-in
// library, a record of a newer version, a tile it does not hold, a run that
// cannot be made at full resolution when asked for), and
// SilentStop after a maker failure it has reported.
void ReplayRun(Platform& platform, const ReplayRequest& request);

// The running numbers of a list such as 3,7,12-15, in the list's order;
// nothing for a text that is no such list.
std::optional<std::vector<std::int32_t>> ParseTileList(const std::string& text);

}  // namespace qm
