// SPDX-License-Identifier: MIT
#include "app/OutputType.h"

#include <array>

#include "imageio/BmpWriter.h"
#include "imageio/JpegWriter.h"
#include "imageio/PngWriter.h"
#include "imageio/TiffWriter.h"

namespace qm {
namespace {

constexpr std::array kOutputTypes{
    OutputTypeInfo{kOutputBmp, "bmp",
                   [](const Image& tile, int, int dpi, const ColourTag&) { return EncodeBmp(tile, dpi); }},
    OutputTypeInfo{kOutputJpeg, "jpg",
                   [](const Image& tile, int quality, int dpi, const ColourTag& tag) {
                       return EncodeJpeg(tile, quality, dpi, tag);
                   }},
    OutputTypeInfo{kOutputPng, "png",
                   [](const Image& tile, int, int dpi, const ColourTag& tag) {
                       return EncodePng(tile, kPngIdatSize, dpi, tag);
                   }},
    OutputTypeInfo{kOutputTiff, "tif",
                   [](const Image& tile, int, int dpi, const ColourTag& tag) {
                       return EncodeTiff(tile, dpi, tag);
                   }},
};

}  // namespace

const OutputTypeInfo* FindOutputType(std::uint8_t code)
{
    for (const OutputTypeInfo& type : kOutputTypes) {
        if (type.type == code) {
            return &type;
        }
    }
    return nullptr;
}

const OutputTypeInfo& TileOutputType(std::uint8_t code)
{
    const OutputTypeInfo* type = FindOutputType(code);
    return type != nullptr ? *type : kOutputTypes.front();
}

}  // namespace qm
