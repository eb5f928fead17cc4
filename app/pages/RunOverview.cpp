// SPDX-License-Identifier: MIT
#include "app/pages/RunOverview.h"

#include <filesystem>
#include <system_error>

#include "app/pages/ContactSheet.h"
#include "app/pages/GalleryPage.h"
#include "app/pages/PageFile.h"
#include "imageio/ImageFiles.h"

namespace qm {

namespace {

namespace fs = std::filesystem;

// The folder outDirectory (empty for the working folder) as seen from the
// folder of the file path, lexically: empty when they are the same,
// otherwise ending in "/".
std::string FolderSeenFrom(const std::string& outDirectory, const std::string& path)
{
    std::error_code error;
    fs::path folder = fs::absolute(outDirectory.empty() ? "." : outDirectory, error).lexically_normal();
    if (!folder.has_filename()) {
        folder = folder.parent_path();  // the "/" that ends outDirectory
    }
    const fs::path from = fs::absolute(path, error).lexically_normal().parent_path();
    const std::string relative = folder.lexically_relative(from).string();
    return relative == "." ? "" : relative + "/";
}

}  // namespace

void WriteGalleryPage(const std::string& path, const std::string& outDirectory,
                      const std::vector<std::string>& tilePaths,
                      const std::vector<std::vector<std::string>>& variantPaths)
{
    std::vector<GalleryTile> tiles;
    if (!tilePaths.empty()) {
        // Every tile of a run has the same size.
        const Image first = LoadImageFile(tilePaths.front());
        for (std::size_t i = 0; i < tilePaths.size(); ++i) {
            GalleryTile tile{tilePaths[i].substr(outDirectory.size()), first.Width(), first.Height()};
            if (i < variantPaths.size()) {
                for (const std::string& variant : variantPaths[i]) {
                    tile.Variants.push_back(variant.substr(outDirectory.size()));
                }
            }
            tiles.push_back(std::move(tile));
        }
    }
    WritePageFile(path, BuildGalleryPage(tiles, FolderSeenFrom(outDirectory, path)));
}

void WriteBatchGalleryPage(const std::string& path, const std::string& outDirectory,
                           const std::vector<GallerySection>& sections)
{
    WritePageFile(path, BuildBatchGalleryPage(sections, FolderSeenFrom(outDirectory, path)));
}

void WriteContactSheet(const std::string& path, const std::vector<std::string>& tilePaths)
{
    const Image sheet =
        BuildContactSheet(static_cast<std::int32_t>(tilePaths.size()), [&](std::int32_t number) {
            return LoadImageFile(tilePaths[static_cast<std::size_t>(number - 1)]);
        });
    SavePng(sheet, path);
}

}  // namespace qm
