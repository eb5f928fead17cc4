// SPDX-License-Identifier: MIT
// The floor a run is measured against: plain single-threaded code that only
// encodes pre-made tiles and writes them to files, the way a program using
// libpng and libjpeg with their defaults would (PNG: adaptive row filters,
// zlib's default level; JPEG: jpeg_set_defaults with quality 90; BMP: the
// 54-byte headers and padded rows), with stdio and nothing else.
//
// encode_floor <photograph> <method code> <bmp|jpg|png> <out folder> [count] [repeats] [seed]
//
// The tiles are the ones the run makes with the same seed (cut 256), made
// before timing starts. Prints the median seconds of encoding and writing
// all of them, over the repeats.

#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchTiles.h"
#include "imageio/ImageFiles.h"

namespace qm::bench {
namespace {

// Owns a stdio file.
class File {
public:
    explicit File(const std::string& path) : file_(std::fopen(path.c_str(), "wb"))
    {
        if (file_ == nullptr) {
            throw std::runtime_error("cannot create " + path);
        }
    }
    ~File() { std::fclose(file_); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    FILE* Get() const { return file_; }

private:
    FILE* file_;
};

void WritePng(const Image& tile, const std::string& path)
{
    const File file(path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng failed on " + path);
    }
    png_init_io(png, file.Get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(tile.Width()),
                 static_cast<png_uint_32>(tile.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < tile.Height(); ++y) {
        png_write_row(png, const_cast<std::uint8_t*>(tile.Row(y)));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

void WriteJpeg(const Image& tile, const std::string& path)
{
    const File file(path);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file.Get());
    cinfo.image_width = static_cast<JDIMENSION>(tile.Width());
    cinfo.image_height = static_cast<JDIMENSION>(tile.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(tile.Row(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
}

void Put32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void WriteBmp(const Image& tile, const std::string& path)
{
    const File file(path);
    const std::size_t stride = (tile.RowBytes() + 3) / 4 * 4;
    std::uint8_t header[54] = {'B', 'M'};
    Put32(header + 2, static_cast<std::uint32_t>(54 + stride * static_cast<std::size_t>(tile.Height())));
    Put32(header + 10, 54);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<std::uint32_t>(tile.Width()));
    Put32(header + 22, static_cast<std::uint32_t>(tile.Height()));
    header[26] = 1;
    header[28] = 24;
    std::fwrite(header, 1, sizeof header, file.Get());
    std::vector<std::uint8_t> row(stride, 0);
    for (int y = tile.Height() - 1; y >= 0; --y) {
        std::copy(tile.Row(y), tile.Row(y) + tile.RowBytes(), row.begin());
        std::fwrite(row.data(), 1, stride, file.Get());
    }
}

}  // namespace
}  // namespace qm::bench

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: encode_floor <photograph> <method code> <bmp|jpg|png> "
                             "<out folder> [count] [repeats] [seed]\n");
        return 2;
    }
    const int code = std::atoi(argv[2]);
    const std::string format = argv[3];
    const std::string out = argv[4];
    const int count = argc > 5 ? std::atoi(argv[5]) : 100;
    const int repeats = argc > 6 ? std::atoi(argv[6]) : 5;
    const auto seed = static_cast<std::uint32_t>(argc > 7 ? std::strtoul(argv[7], nullptr, 10) : 1);
    if (count < 1 || repeats < 1 || (format != "bmp" && format != "jpg" && format != "png")) {
        std::fprintf(stderr, "count and repeats must be at least 1, the format bmp, jpg or png\n");
        return 2;
    }
    try {
        using namespace qm::bench;
        const qm::Image photo = qm::LoadImageFile(argv[1]);
        const auto tiles = MakeTiles(photo, static_cast<std::uint8_t>(code), 256,
                                     SeededCutPositions(photo.Width(), photo.Height(), 256, count, seed));
        const auto write = format == "png" ? WritePng : format == "jpg" ? WriteJpeg : WriteBmp;
        std::vector<double> seconds;
        for (int r = 0; r < repeats; ++r) {
            const auto start = std::chrono::steady_clock::now();
            for (std::size_t i = 0; i < tiles.size(); ++i) {
                write(tiles[i], out + "/floor" + std::to_string(i + 1) + "." + format);
            }
            seconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("%.3f\n", Median(seconds));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
