// SPDX-License-Identifier: MIT
#include "app/run/RunFiles.h"

#include "app/run/MakeTiles.h"
#include "app/record/RunRecord.h"
#include "app/run/SourceImages.h"
#include "app/run/TileVariants.h"
#include "core/Format.h"
#include "imageio/OutputNames.h"

namespace qm {

std::vector<std::string> RunFiles::All() const
{
    std::vector<std::string> all = Tiles;
    for (const std::vector<std::string>& variants : Variants) {
        all.insert(all.end(), variants.begin(), variants.end());
    }
    for (const std::string* file : {&Page, &Record, &RecordPicture, &Gallery, &Sheet}) {
        if (!file->empty()) {
            all.push_back(*file);
        }
    }
    return all;
}

RunFiles FilesOfRun(const RunSettings& settings)
{
    const std::string& outDirectory = settings.OutDirectory;
    const std::string& prefix = settings.Prefix;
    const ExtendedSettings& extended = settings.ExtendedSettings;
    RunFiles files;
    for (std::int32_t i = 1; i <= settings.Count; ++i) {
        files.Tiles.push_back(TilePath(outDirectory, prefix, settings.ImageType, i));
        files.Variants.push_back(VariantPaths(outDirectory, prefix, settings.ImageType, i, extended));
    }
    if (settings.Html) {
        files.Page = Format("%s%s", {outDirectory, settings.Html->HtmlFileName});
    }
    if (extended.Record) {
        files.Record = RecordPath(outDirectory, prefix);
        if (settings.FileSelectType == kSourceClipboard) {
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
