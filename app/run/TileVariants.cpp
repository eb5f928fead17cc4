// SPDX-License-Identifier: MIT
#include "app/run/TileVariants.h"

#include "app/OutputType.h"
#include "core/Format.h"
#include "imageio/OutputNames.h"

namespace qm {

std::vector<std::string> VariantMarks(const ExtendedSettings& extended)
{
    std::vector<std::string> marks;
    if (extended.Colorways) {
        for (int k = 2; k <= extended.ColorwayCount; ++k) {
            marks.push_back(Format("c%d", {k}));
        }
    }
    if (extended.Palette) {
        marks.emplace_back("p");
    }
    return marks;
}

std::vector<std::string> VariantPaths(const std::string& outDirectory, const std::string& prefix,
                                      std::uint8_t imageType, std::int32_t number,
                                      const ExtendedSettings& extended)
{
    std::vector<std::string> paths;
    for (const std::string& mark : VariantMarks(extended)) {
        paths.push_back(outDirectory +
                        VariantName(prefix, number, mark, TileOutputType(imageType).extension));
    }
    return paths;
}

TileVariants::TileVariants(const ExtendedSettings& extended)
{
    if (extended.Colorways) {
        for (int k = 2; k <= extended.ColorwayCount; ++k) {
            colourways_.emplace_back(k, extended.ColorwayCount);
        }
    }
    if (extended.Palette) {
        palette_.emplace(extended.PaletteColours);
    }
}

std::vector<Image> TileVariants::Of(const Image& tile)
{
    std::vector<Image> variants;
    for (Colourway& colourway : colourways_) {
        variants.push_back(colourway.Apply(tile));
    }
    if (palette_) {
        variants.push_back(palette_->Apply(tile));
    }
    return variants;
}

std::vector<VariantFile> TileVariants::FilesOf(const Image& tile,
                                               const std::vector<std::string>& paths)
{
    std::vector<Image> pictures = Of(tile);
    std::vector<VariantFile> files;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        files.push_back({std::move(pictures[i]), paths.at(i)});
    }
    return files;
}

}  // namespace qm
