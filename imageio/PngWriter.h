// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "imageio/ColourTag.h"

namespace qm {

// The program's IDAT chunk size, and the range the writer accepts.
inline constexpr int kPngIdatSize = 32768;
inline constexpr int kPngMinIdatSize = 256;
inline constexpr int kPngMaxIdatSize = 100000;

// An 8-bit truecolour, non-interlaced PNG file of image holding, in this
// order: signature, IHDR, tIME (UTC now), tEXt "Software" naming this
// program and libpng with their versions, gAMA 45455, with dpi above 0 a
// pHYs chunk of PixelsPerMetre(dpi) in both directions, with a tag an
// iCCP chunk of its profile or an sRGB chunk (perceptual intent), IDAT
// chunks of at most idatSize bytes deflated at zlib's default level, IEND.
// Throws
// ErrorMessage("Write PNG Param: Err IDAT Size(min:256  max:100000)") for an
// idatSize outside kPngMinIdatSize..kPngMaxIdatSize, and
// ErrorMessage("PNG エラー: <reason>") when libpng fails.
std::vector<std::uint8_t> EncodePng(const Image& image, int idatSize = kPngIdatSize, int dpi = 0,
                                    const ColourTag& tag = {});

// The same file with the image data deflated in bands of rows over up to
// threads threads (DeflateRowsInBands): the same chunks, pixels and filters;
// the bytes depend on the picture alone, not on threads. For large pictures,
// where the bands cost a fraction of a percent in size.
std::vector<std::uint8_t> EncodePngInBands(const Image& image, unsigned threads,
                                           int idatSize = kPngIdatSize, int dpi = 0,
                                           const ColourTag& tag = {});

}  // namespace qm
