// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <ctime>

#include "TestFiles.h"
#include "support/Noise.h"
#include "core/Errors.h"
#include "imageio/PngBands.h"
#include "imageio/PngReader.h"
#include "imageio/PngWriter.h"

namespace qm {
namespace {

struct Chunk {
    std::string Name;
    std::vector<std::uint8_t> Data;
};

std::uint32_t Be32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// Splits a file into its chunks, checking the signature and every CRC.
std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& file)
{
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::memcmp(file.data(), kSignature, 8), 0);
    std::vector<Chunk> chunks;
    std::size_t pos = 8;
    while (pos + 12 <= file.size()) {
        const std::uint32_t length = Be32(&file[pos]);
        if (pos + 12 + length > file.size()) {
            ADD_FAILURE() << "chunk runs past the end";
            break;
        }
        const std::uint8_t* name = &file[pos + 4];
        EXPECT_EQ(Be32(name + 4 + length), crc32(0, name, 4 + length));
        chunks.push_back({std::string(name, name + 4),
                          std::vector<std::uint8_t>(name + 4, name + 4 + length)});
        pos += 12 + length;
    }
    EXPECT_EQ(pos, file.size());
    return chunks;
}

TEST(PngWriter, WritesTheChunksInOrder)
{
    const Image image = test::Gradient(126, 126);
    const std::time_t before = std::time(nullptr);
    const auto chunks = Chunks(EncodePng(image));
    ASSERT_GE(chunks.size(), 6u);

    EXPECT_EQ(chunks[0].Name, "IHDR");
    const std::vector<std::uint8_t> ihdr = {0, 0, 0, 126, 0, 0, 0, 126, 8, 2, 0, 0, 0};
    EXPECT_EQ(chunks[0].Data, ihdr);

    EXPECT_EQ(chunks[1].Name, "tIME");
    ASSERT_EQ(chunks[1].Data.size(), 7u);
    std::tm utc{};
    gmtime_r(&before, &utc);
    EXPECT_EQ(chunks[1].Data[0] << 8 | chunks[1].Data[1], utc.tm_year + 1900);
    EXPECT_EQ(chunks[1].Data[2], utc.tm_mon + 1);

    EXPECT_EQ(chunks[2].Name, "tEXt");
    const std::string text(chunks[2].Data.begin(), chunks[2].Data.end());
    EXPECT_EQ(text, std::string("Software\0", 9) + "Quillmore " QM_TEST_VERSION " (libpng " +
                        png_get_libpng_ver(nullptr) + ")")
        << text;

    EXPECT_EQ(chunks[3].Name, "gAMA");
    const std::vector<std::uint8_t> gamma = {0, 0, 0xB1, 0x8F};  // 45455
    EXPECT_EQ(chunks[3].Data, gamma);

    for (std::size_t i = 4; i + 1 < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].Name, "IDAT");
    }
    EXPECT_EQ(chunks.back().Name, "IEND");
    EXPECT_TRUE(chunks.back().Data.empty());
}

TEST(PngWriter, SplitsTheImageDataIntoChunksOfTheGivenSize)
{
    // Noise does not compress, so the data fills several chunks.
    Image image(300, 300);
    std::uint32_t seed = 1;
    for (int y = 0; y < 300; ++y) {
        for (std::size_t i = 0; i < image.RowBytes(); ++i) {
            seed = seed * 134775813 + 1;
            image.Row(y)[i] = static_cast<std::uint8_t>(seed >> 24);
        }
    }
    for (int size : {kPngIdatSize, kPngMinIdatSize, kPngMaxIdatSize}) {
        SCOPED_TRACE(size);
        const auto file = EncodePng(image, size);
        int full = 0;
        std::size_t idatChunks = 0;
        for (const auto& chunk : Chunks(file)) {
            if (chunk.Name == "IDAT") {
                EXPECT_LE(chunk.Data.size(), static_cast<std::size_t>(size));
                full += chunk.Data.size() == static_cast<std::size_t>(size);
                ++idatChunks;
            }
        }
        EXPECT_GE(full, 2);
        EXPECT_EQ(full + 1, static_cast<int>(idatChunks));
        EXPECT_TRUE(DecodePng(file) == image);
    }
}

TEST(PngWriter, RefusesChunkSizesOutsideItsRange)
{
    const Image image = test::Gradient(8, 8);
    for (int size : {255, 100001, 0, -1}) {
        try {
            EncodePng(image, size);
            ADD_FAILURE() << size;
        } catch (const ErrorMessage& error) {
            EXPECT_STREQ(error.what(), "Write PNG Param: Err IDAT Size(min:256  max:100000)");
        }
    }
}

TEST(PngWriter, StoresRowsTopDownAsRedGreenBlue)
{
    Image image(2, 2);
    image.Pixel(0, 0)[2] = 255;  // red at the top left
    image.Pixel(1, 1)[0] = 255;  // blue at the bottom right
    const auto file = EncodePng(image);
    EXPECT_TRUE(DecodePng(file) == image);

    png_image simple{};
    simple.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&simple, file.data(), file.size()));
    simple.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(simple));
    ASSERT_TRUE(png_image_finish_read(&simple, nullptr, rgb.data(), 0, nullptr));
    const std::vector<std::uint8_t> expected = {255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255};
    EXPECT_EQ(rgb, expected);
}

TEST(PngWriter, FiltersEveryRowWithUp)
{
    Image image(40, 7);
    for (int y = 0; y < 7; ++y) {
        for (std::size_t i = 0; i < image.RowBytes(); ++i) {
            image.Row(y)[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(y) * 31);
        }
    }
    std::vector<std::uint8_t> deflated;
    for (const Chunk& chunk : Chunks(EncodePng(image))) {
        if (chunk.Name == "IDAT") {
            deflated.insert(deflated.end(), chunk.Data.begin(), chunk.Data.end());
        }
    }
    const std::size_t stride = 1 + image.RowBytes();
    std::vector<std::uint8_t> rows(stride * 7);
    uLongf size = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &size, deflated.data(), deflated.size()), Z_OK);
    ASSERT_EQ(size, rows.size());
    for (int y = 0; y < 7; ++y) {
        EXPECT_EQ(rows[static_cast<std::size_t>(y) * stride], 2) << "filter type of row " << y;
    }
}

// pHYs right after gAMA: 11811 pixels per metre (300 dpi) both ways, unit
// metre; no such chunk without a resolution.
TEST(PngWriter, RecordsTheResolutionAfterTheGamma)
{
    const Image image = test::Gradient(16, 16);
    const auto tagged = Chunks(EncodePng(image, kPngIdatSize, 300));
    ASSERT_GE(tagged.size(), 5u);
    EXPECT_EQ(tagged[3].Name, "gAMA");
    EXPECT_EQ(tagged[4].Name, "pHYs");
    EXPECT_EQ(tagged[4].Data, (std::vector<std::uint8_t>{0, 0, 0x2E, 0x23, 0, 0, 0x2E, 0x23, 1}));
    for (const Chunk& chunk : Chunks(EncodePng(image))) {
        EXPECT_NE(chunk.Name, "pHYs");
    }
}

std::vector<std::uint8_t> ImageData(const std::vector<Chunk>& chunks)
{
    std::vector<std::uint8_t> data;
    for (const Chunk& chunk : chunks) {
        if (chunk.Name == "IDAT") {
            data.insert(data.end(), chunk.Data.begin(), chunk.Data.end());
        }
    }
    return data;
}

std::vector<std::uint8_t> Inflated(const std::vector<std::uint8_t>& zlibStream, std::size_t size)
{
    std::vector<std::uint8_t> rows(size + 1);
    uLongf length = rows.size();
    EXPECT_EQ(uncompress(rows.data(), &length, zlibStream.data(), zlibStream.size()), Z_OK);
    rows.resize(length);
    return rows;
}

// Bands of a picture half noise (which reaches across the bands' seams into
// the priming window) and half gradient: the rows the one-thread writer
// deflates, its chunks around them, and bytes that do not depend on the
// threads.
TEST(PngWriter, DeflatesInBandsTheSameRowsIntoTheSameFileOnAnyThreads)
{
    const int height = 5 * kPngBandRows + 7;
    Image image = test::Noise(150, height);
    image.Draw(test::Gradient(150, height / 2), 0, 0);
    const auto single = Chunks(EncodePng(image, kPngMinIdatSize, 300));
    const auto file = EncodePngInBands(image, 1, kPngMinIdatSize, 300);
    const auto banded = Chunks(file);
    ASSERT_GE(banded.size(), 7u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(banded[i].Name, single[i].Name);
        if (banded[i].Name != "tIME") {
            EXPECT_EQ(banded[i].Data, single[i].Data) << banded[i].Name;
        }
    }
    for (std::size_t i = 5; i + 1 < banded.size(); ++i) {
        EXPECT_EQ(banded[i].Name, "IDAT");
        EXPECT_EQ(banded[i].Data.size() == kPngMinIdatSize, i + 2 < banded.size()) << i;
    }
    EXPECT_EQ(banded.back().Name, "IEND");
    const std::size_t rowsSize = (1 + image.RowBytes()) * static_cast<std::size_t>(height);
    EXPECT_EQ(Inflated(ImageData(banded), rowsSize), Inflated(ImageData(single), rowsSize));
    EXPECT_TRUE(DecodePng(file) == image);

    for (unsigned threads : {2u, 3u, 16u}) {
        auto other = Chunks(EncodePngInBands(image, threads, kPngMinIdatSize, 300));
        ASSERT_EQ(other.size(), banded.size());
        other[1].Data = banded[1].Data;  // the time of writing
        for (std::size_t i = 0; i < other.size(); ++i) {
            EXPECT_EQ(other[i].Data, banded[i].Data) << threads << " threads, chunk " << i;
        }
    }
}

}  // namespace
}  // namespace qm
