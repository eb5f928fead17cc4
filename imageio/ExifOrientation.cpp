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

bool StartsWithExifHeader(std::span<const std::uint8_t> data)
{
    return data.size() >= kExifHeader.size() &&
           std::equal(kExifHeader.begin(), kExifHeader.end(), data.begin());
}

// The first APP1 segment of a JPEG file that holds an Exif block, looked
// for among all the segments before the image data (a comment or an XMP
// block may come first); empty when there is none.
std::span<const std::uint8_t> JpegExifSegment(std::span<const std::uint8_t> file)
{
    constexpr std::uint8_t kApp1 = 0xe1;
    constexpr std::uint8_t kStartOfScan = 0xda;
    constexpr std::uint8_t kEndOfImage = 0xd9;
    if (file.size() < 4 || file[0] != 0xff || file[1] != 0xd8) {
        return {};
    }
    std::size_t at = 2;
    while (at + 4 <= file.size()) {
        if (file[at] != 0xff) {
            return {};
        }
        const std::uint8_t marker = file[at + 1];
        if (marker == 0xff) {  // fill byte
            ++at;
            continue;
        }
        if (marker == kStartOfScan || marker == kEndOfImage) {
            return {};
        }
        // Markers without a length: TEM and the restart markers.
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) {
            at += 2;
            continue;
        }
        const std::size_t length = std::size_t{file[at + 2]} << 8 | file[at + 3];
        if (length < 2 || length > file.size() - at - 2) {
            return {};
        }
        const std::span<const std::uint8_t> payload = file.subspan(at + 4, length - 2);
        if (marker == kApp1 && StartsWithExifHeader(payload)) {
            return payload;
        }
        at += 2 + length;
    }
    return {};
}

// Reads the orientation out of an Exif block with its "Exif" header.
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
        const std::span<const std::uint8_t> segment = JpegExifSegment(file);
        return segment.empty() ? 1 : OrientationOf(segment.data(), segment.size());
    }
    return ExifBlockOrientation(PngExifChunk(file));
}

int ExifBlockOrientation(std::span<const std::uint8_t> block)
{
    if (block.empty() || block.size() > 0xffffffffu - kExifHeader.size()) {
        return 1;
    }
    if (StartsWithExifHeader(block)) {
        return OrientationOf(block.data(), block.size());
    }
    std::vector<std::uint8_t> withHeader(kExifHeader.begin(), kExifHeader.end());
    withHeader.insert(withHeader.end(), block.begin(), block.end());
    return OrientationOf(withHeader.data(), withHeader.size());
}

}  // namespace qm
