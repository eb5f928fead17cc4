// SPDX-License-Identifier: MIT
#include "app/OutputType.h"

#include <array>

#include "imageio/BmpWriter.h"
#include "imageio/JpegWriter.h"
#include "imageio/PngWriter.h"

namespace qm {
namespace {

constexpr std::array kOutputTypes{
    OutputTypeInfo{kOutputBmp, "bmp", [](const Image& tile, int, int dpi) { return EncodeBmp(tile, dpi); }},
    OutputTypeInfo{kOutputJpeg, "jpg",
                   [](const Image& tile, int quality, int dpi) { return EncodeJpeg(tile, quality, dpi); }},
    OutputTypeInfo{kOutputPng, "png",
                   [](const Image& tile, int, int dpi) { return EncodePng(tile, kPngIdatSize, dpi); }},
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
