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

// Runs options once for every picture of the folder options.batch, or of
// the share --shard gives, as its image-file source, into its own folder
// (created); with a seed, picture p uses PictureSeed(options.seed, p's
// name). Each picture is told of on out in a line of its own
// ("[17/240] IMG_0412.jpg: 10 tiles"), a failing one on err, and the batch
// goes on; the last line sums up; with --summary its JSON is written too
// (everything else going to err when it goes to out). kExitMade when all
// were made or found made, kExitSomeFailed when only some failed,
// kExitUsage at once when the options are refused as such, otherwise
// kExitRefused. With --gallery and without shards the batch's own gallery
// page (WriteBatchGallery) is written into out after the last picture;
// when it cannot be, the batch fails (kExitRefused).
int RunBatch(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qm
