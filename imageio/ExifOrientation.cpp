// SPDX-License-Identifier: MIT
#include "imageio/ExifOrientation.h"

#include <libexif/exif-data.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>
#include <vector>

namespace qm {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::array<std::uint8_t, 6> kExifHeader = {'E', 'x', 'i', 'f', 0, 0};

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

std::uint32_t BigEndian32(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

bool IsPng(std::span<const std::uint8_t> file)
{
    return file.size() >= kPngSignature.size() &&
           std::equal(kPngSignature.begin(), kPngSignature.end(), file.begin());
}

// The data of the eXIf chunk, which comes before the image data; empty when
// there is none or a chunk length runs past the end of the file.
std::span<const std::uint8_t> PngExifChunk(std::span<const std::uint8_t> file)
{
    std::size_t at = kPngSignature.size();
    while (file.size() - at >= 12) {
        const std::uint32_t length = BigEndian32(&file[at]);
        const std::span<const std::uint8_t> type = file.subspan(at + 4, 4);
        if (length > file.size() - at - 12) {
            return {};
        }
        const std::string_view name(reinterpret_cast<const char*>(type.data()), 4);
        if (name == "eXIf") {
            return file.subspan(at + 8, length);
        }
        if (name == "IDAT" || name == "IEND") {
            return {};
        }
        at += 12 + std::size_t{length};
    }
    return {};
}

// Reads the orientation out of data, which libexif takes either as a whole
// JPEG file (it walks the markers up to the Exif block) or as an Exif block
// with its "Exif" header.
int OrientationOf(const std::uint8_t* data, std::size_t size)
{
    const std::unique_ptr<ExifData, ExifDataUnref> exif(exif_data_new());
    if (!exif) {
        return 1;
    }
    // Reading only: no mending of the block to the standard's taste.
    exif_data_unset_option(exif.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(exif.get(), data, static_cast<unsigned int>(size));
    const ExifEntry* entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components != 1 ||
        entry->size < 2) {
        return 1;
    }
    const int value = exif_get_short(entry->data, exif_data_get_byte_order(exif.get()));
    return value >= 1 && value <= 8 ? value : 1;
}

}  // namespace

int ExifOrientation(std::span<const std::uint8_t> file)
{
    if (file.size() > 0xffffffffu) {
        return 1;
    }
    if (!IsPng(file)) {
        return OrientationOf(file.data(), file.size());
    }
    const std::span<const std::uint8_t> chunk = PngExifChunk(file);
    if (chunk.empty()) {
        return 1;
    }
    std::vector<std::uint8_t> block(kExifHeader.begin(), kExifHeader.end());
    block.insert(block.end(), chunk.begin(), chunk.end());
    return OrientationOf(block.data(), block.size());
}

}  // namespace qm
