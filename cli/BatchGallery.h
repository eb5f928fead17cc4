// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/pages/BatchGalleryPage.h"

namespace qm {

// The tiles a batch's output folder out holds, one section for every
// subfolder with tiles, in name order. A picture's tiles are those its run
// records (every <prefix>record.json of the folder that reads as a record,
// the tiles on disk that it lists with their variants), and without a
// record every file <name><three or more digits>.<tile extension> with its
// variants beside it, <name><digits>-c<K> and -p, in name order. A tile's
// size is that of the first readable tile of its run (the same record, or
// the same name before the digits and the same extension); a tile of a run
// whose files cannot be read is left out.
std::vector<GallerySection> CollectBatchGallery(const std::string& out);

// Writes the gallery page of the batch in out (CollectBatchGallery) at the
// name gallery gives (--gallery's value, empty or none for gallery.html),
// counted from out unless it is absolute. A folder without tiles writes
// nothing. Says why on err and returns false when no page was written.
bool WriteBatchGallery(const std::string& out, const std::optional<std::string>& gallery,
                       std::ostream& err);

}  // namespace qm
