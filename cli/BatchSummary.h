// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/BatchShare.h"

namespace qm {

// What became of one picture of a batch.
struct PictureOutcome {
    std::string Path;
    std::string Folder;
    // The run's tiles in the picture's folder: made now, or found there
    // when it was skipped; 0 when it failed.
    long long Tiles = 0;
    bool Skipped = false;
    double Seconds = 0.0;
    // Why it was not made; empty when it was.
    std::optional<std::string> Error;
};

// The batch's summary as JSON: {"pictures": [{"path", "folder", "tiles",
// "skipped", "seconds", "error"}], "totals": {"pictures", "made", "skipped",
// "failed", "tiles"}, "shard"}, error null for a picture made and shard
// {"index", "count"} or null for a batch that was not split. Texts that are
// not UTF-8 have their stray bytes replaced.
std::string BatchSummaryJson(const std::vector<PictureOutcome>& pictures,
                             const std::optional<BatchShare>& share);

// The summary's file name: every "{shard}" of pattern becomes the share's
// index, 1 without shards.
std::string SummaryFileName(std::string pattern, const std::optional<BatchShare>& share);

}  // namespace qm
