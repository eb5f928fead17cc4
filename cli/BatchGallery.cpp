// SPDX-License-Identifier: MIT
#include "cli/BatchGallery.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <system_error>
#include <tuple>
#include <utility>

#include "app/ExtendedSettings.h"
#include "app/OutputType.h"
#include "app/pages/RunOverview.h"
#include "app/record/RunRecord.h"
#include "app/run/TileVariants.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/ImageFiles.h"
#include "imageio/OutputNames.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// The names of the regular files of folder, sorted.
std::vector<std::string> FileNames(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A tile found in a folder, before its size is known: the run it belongs
// to, which gives every tile of it one size.
struct FoundTile {
    std::string Run;
    GalleryTile Tile;
};

std::vector<FoundTile> RecordedTiles(const fs::path& folder, const std::set<std::string>& files)
{
    std::vector<FoundTile> found;
    const std::string suffix = RecordName("");
    for (const std::string& name : files) {
        if (!name.ends_with(suffix)) {
            continue;
        }
        RunRecordData record;
        try {
            const std::string path = (folder / name).string();
            record = ParseRecord(ReadRecordFile(path), path);
        } catch (const ErrorMessage&) {
            continue;  // not a record a run wrote; the names tell the tiles
        }
        const std::string prefix = fs::path(record.Prefix).filename().string();
        const std::string extension = TileOutputType(record.ImageType).extension;
        for (const RecordedTile& recorded : record.Tiles) {
            if (!files.contains(recorded.File)) {
                continue;
            }
            GalleryTile tile{recorded.File};
            for (const std::string& mark : VariantMarks(record.ExtendedSettings)) {
                std::string variant = VariantName(prefix, recorded.Number, mark, extension);
                if (files.contains(variant)) {
                    tile.Variants.push_back(std::move(variant));
                }
            }
            found.push_back({name, std::move(tile)});
        }
    }
    return found;
}

// The tile extensions as one alternative of a regular expression.
bool IsTileExtension(const std::string& extension)
{
    for (std::uint8_t code = kOutputBmp; code <= kOutputTiff; ++code) {
        if (extension == TileOutputType(code).extension) {
            return true;
        }
    }
    return false;
}

// The number of digits that end text.
std::size_t TrailingDigits(const std::string& text)
{
    const std::size_t last = text.find_last_not_of("0123456789");
    return last == std::string::npos ? text.size() : text.size() - last - 1;
}

// A name <stem><three or more digits>.<tile extension> split into the
// part before the extension and the extension; nothing for another name.
std::optional<std::pair<std::string, std::string>> TileNameParts(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || !IsTileExtension(name.substr(dot + 1))) {
        return std::nullopt;
    }
    std::string base = name.substr(0, dot);
    if (TrailingDigits(base) < 3) {
        return std::nullopt;
    }
    return std::pair(std::move(base), name.substr(dot + 1));
}

// The tile a variant's name <tile's base>-c<K>.<ext> or -p.<ext> belongs
// to, <tile's base>.<ext>; nothing for another name.
std::optional<std::string> VariantsTile(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    const std::size_t dash = name.find_last_of('-', dot);
    if (dot == std::string::npos || dash == std::string::npos || !IsTileExtension(name.substr(dot + 1))) {
        return std::nullopt;
    }
    const std::string mark = name.substr(dash + 1, dot - dash - 1);
    const bool colourway = mark.size() > 1 && mark[0] == 'c' && TrailingDigits(mark) == mark.size() - 1;
    if ((mark != "p" && !colourway) || TrailingDigits(name.substr(0, dash)) < 3) {
        return std::nullopt;
    }
    return name.substr(0, dash) + name.substr(dot);
}

// The order of the variants as a run writes them: c2 to cN by number, then
// p. The number is compared by its digits, so none is too large.
bool VariantBefore(const std::string& a, const std::string& b)
{
    const auto rank = [](const std::string& name) {
        const std::size_t dash = name.find_last_of('-');
        const std::string mark = name.substr(dash + 1, name.find_last_of('.') - dash - 1);
        return std::tuple(mark == "p", mark.size(), mark);
    };
    return rank(a) < rank(b);
}

std::vector<FoundTile> NamedTiles(const std::set<std::string>& files)
{
    // A variant is one only beside its tile; then it is no tile of its own.
    std::map<std::string, std::vector<std::string>> variants;
    std::set<std::string> variantNames;
    for (const std::string& name : files) {
        const std::optional<std::string> tile = VariantsTile(name);
        if (tile && files.contains(*tile)) {
            variants[*tile].push_back(name);
            variantNames.insert(name);
        }
    }
    std::vector<FoundTile> found;
    for (const std::string& name : files) {
        const std::optional<std::pair<std::string, std::string>> parts = TileNameParts(name);
        if (variantNames.contains(name) || !parts) {
            continue;
        }
        GalleryTile tile{name};
        if (const auto family = variants.find(name); family != variants.end()) {
            tile.Variants = family->second;
            std::sort(tile.Variants.begin(), tile.Variants.end(), VariantBefore);
        }
        // The run: the name before the digits, with the extension.
        const std::string& base = parts->first;
        found.push_back({base.substr(0, base.size() - TrailingDigits(base)) + "." + parts->second,
                         std::move(tile)});
    }
    return found;
}

// The tiles of one picture's folder with their sizes, each run's read from
// its first readable tile.
std::vector<GalleryTile> TilesIn(const fs::path& folder)
{
    const std::vector<std::string> names = FileNames(folder);
    const std::set<std::string> files(names.begin(), names.end());
    std::vector<FoundTile> found = RecordedTiles(folder, files);
    if (found.empty()) {
        found = NamedTiles(files);
    }
    std::map<std::string, std::pair<int, int>> sizes;
    std::vector<GalleryTile> tiles;
    for (FoundTile& each : found) {
        auto size = sizes.find(each.Run);
        if (size == sizes.end()) {
            try {
                const Image image = LoadImageFile((folder / each.Tile.Name).string());
                size = sizes.emplace(each.Run, std::pair(image.Width(), image.Height())).first;
            } catch (const ErrorMessage&) {
                continue;
            }
        }
        each.Tile.Width = size->second.first;
        each.Tile.Height = size->second.second;
        tiles.push_back(std::move(each.Tile));
    }
    return tiles;
}

}  // namespace

std::vector<GallerySection> CollectBatchGallery(const std::string& out)
{
    std::vector<std::string> folders;
    std::error_code error;
    for (fs::directory_iterator it(out, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory(error)) {
            folders.push_back(it->path().filename().string());
        }
    }
    std::sort(folders.begin(), folders.end());
    std::vector<GallerySection> sections;
    for (const std::string& folder : folders) {
        std::vector<GalleryTile> tiles = TilesIn(fs::path(out) / folder);
        if (!tiles.empty()) {
            sections.push_back({folder, std::move(tiles)});
        }
    }
    return sections;
}

bool WriteBatchGallery(const std::string& out, const std::optional<std::string>& gallery,
                       std::ostream& err)
{
    const std::vector<GallerySection> sections = CollectBatchGallery(out);
    if (sections.empty()) {
        err << Format(T("%s: タイルがありません / no tiles"), {out}) << '\n';
        return false;
    }
    const std::string outDirectory = out.ends_with('/') ? out : out + "/";
    const std::string name =
        gallery && !gallery->empty() ? *gallery : ExtendedSettings{}.GalleryName;
    try {
        WriteBatchGalleryPage(OutputPath(outDirectory, name), outDirectory, sections);
    } catch (const ErrorMessage& error) {
        err << error.what() << '\n';
        return false;
    }
    return true;
}

}  // namespace qm
