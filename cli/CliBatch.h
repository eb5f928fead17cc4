// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliOptions.h"

namespace qm {

// One picture of a batch: its file and the folder its tiles go to.
struct BatchPicture {
    std::string File;
    std::string OutFolder;
};

// The pictures of folder that the folder source would consider, in name
// order, each with its own folder under out, named by BatchFolderNames over
// the whole listing: the name without its extension, or, when two pictures
// share that, the name with the dot turned into "-" (a.jpg and a.png go to
// a-jpg and a-png), always a folder of its own inside out.
std::vector<BatchPicture> BatchPictures(const std::string& folder, const std::string& out);

// Runs options once for every picture of the folder options.batch, as its
// image-file source, into its own folder (created), picture k with seed
// options.seed + k when a seed is given. A failing picture is named on err
// and the batch goes on; the last line on out sums up. kExitMade when all
// were made, kExitUsage at once when the options are refused as such,
// otherwise kExitRefused. With --gallery the batch's own gallery page
// (WriteBatchGallery) is written into out after the last picture.
int RunBatch(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qm
