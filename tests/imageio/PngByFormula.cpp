// SPDX-License-Identifier: MIT
#include "PngByFormula.h"

#include "TestFiles.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace qm::test {
namespace {

std::uint8_t Sample(png_const_bytep row, int index, int bitDepth)
{
    return bitDepth == 16 ? row[2 * index] : row[index];
}

std::uint8_t ScaledGrey(std::uint8_t value, int bitDepth)
{
    return bitDepth >= 8 ? value : static_cast<std::uint8_t>(value * 255 / ((1 << bitDepth) - 1));
}

// fileDepth: the bit depth the file's header gives; libpng reports 8 once
// it has unpacked the samples.
void Convert(png_structp png, png_infop info, int fileDepth, Image& image)
{
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    const int depth = png_get_bit_depth(png, info);
    const int type = png_get_color_type(png, info);
    const int channels = png_get_channels(png, info);
    png_colorp palette = nullptr;
    int paletteSize = 0;
    png_get_PLTE(png, info, &palette, &paletteSize);
    png_bytepp rows = png_get_rows(png, info);
    image.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* out = image.Pixel(x, y);
            if (type == PNG_COLOR_TYPE_PALETTE) {
                const png_color c = palette[rows[y][x]];
                out[0] = c.blue;
                out[1] = c.green;
                out[2] = c.red;
            } else if ((type & PNG_COLOR_MASK_COLOR) != 0) {
                out[2] = Sample(rows[y], channels * x, depth);
                out[1] = Sample(rows[y], channels * x + 1, depth);
                out[0] = Sample(rows[y], channels * x + 2, depth);
            } else {
                out[0] = out[1] = out[2] =
                    ScaledGrey(Sample(rows[y], channels * x, depth), fileDepth);
            }
        }
    }
}

int FileBitDepth(const std::filesystem::path& path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return bytes.size() > 24 ? bytes[24] : 8;  // IHDR follows the 8-byte signature
}

bool ReadAll(png_structp png, png_infop info, std::FILE* file)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_read_png(png, info, PNG_TRANSFORM_PACKING, nullptr);
    return true;
}

}  // namespace

Image DecodePngByFormula(const std::filesystem::path& path)
{
    Image image;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return image;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (ReadAll(png, info, file)) {
        Convert(png, info, png_get_bit_depth(png, info) == 16 ? 16 : FileBitDepth(path), image);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return image;
}

}  // namespace qm::test
