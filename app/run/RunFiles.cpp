// SPDX-License-Identifier: MIT
#include "app/run/RunFiles.h"

#include "app/run/MakeTiles.h"
#include "app/record/RunRecord.h"
#include "core/Format.h"
#include "imageio/OutputNames.h"

namespace qm {

std::vector<std::string> RunFiles::All() const
{
    std::vector<std::string> all = Tiles;
    for (const std::string* file : {&Page, &Record, &RecordPicture, &Gallery, &Sheet}) {
        if (!file->empty()) {
            all.push_back(*file);
        }
    }
    return all;
}

RunFiles FilesOfRun(const std::string& outDirectory, const std::string& prefix,
                    std::uint8_t imageType, std::int32_t count,
                    const std::optional<std::string>& pageName, bool clipboardSource,
                    const ExtendedSettings& extended)
{
    RunFiles files;
    for (std::int32_t i = 1; i <= count; ++i) {
        files.Tiles.push_back(TilePath(outDirectory, prefix, imageType, i));
    }
    if (pageName) {
        files.Page = Format("%s%s", {outDirectory, *pageName});
    }
    if (extended.Record) {
        files.Record = RecordPath(outDirectory, prefix);
        if (clipboardSource) {
            files.RecordPicture = RecordPicturePath(outDirectory, prefix);
        }
    }
    if (extended.Gallery) {
        files.Gallery = OutputPath(outDirectory, extended.GalleryName);
    }
    if (extended.ContactSheet) {
        files.Sheet = OutputPath(outDirectory, extended.ContactSheetName.empty()
                                                   ? SheetName(prefix)
                                                   : extended.ContactSheetName);
    }
    return files;
}

}  // namespace qm
