// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/Image.h"
#include "imageio/DecodeLimits.h"
#include "imageio/DecodeOptions.h"
#include "imageio/SourceFile.h"

namespace qm {

// Decodes a whole BMP file held in memory: 1, 2, 4 and 8 bits with a colour
// table (also RLE4 and RLE8), 16 and 32 bits with default or bit-field
// masks, 24 bits (also OS/2 RLE24); Windows information headers up to V5
// and OS/2 1.x and 2.x headers; bottom-up and top-down rows. Alpha is
// dropped, or with a background the pixels of a file with an alpha mask
// are laid on it; a palette index beyond the colour table gives black. Throws
// ErrorMessage("ビットマップイメージが不正です") for anything it cannot read.
// Before the picture is allocated, the file must be able to hold it: all
// rows of an uncompressed file, and for a run-length encoded one a stream of
// at least two bytes per 255 pixels (pictures up to limits.FreePixels may
// leave pixels out).
Image DecodeBmp(std::span<const std::uint8_t> file, const DecodeLimits& limits = {},
                const std::optional<Rgb>& background = std::nullopt);

// The same from a file on disk, read in steps: the headers first, the rest
// only once they are checked and only as far as the pixels go. bytes holds
// what has been read of the file so far (maybe nothing) and afterwards what
// the decoder read.
Image ReadBmpFile(SourceFile& file, std::vector<std::uint8_t>& bytes,
                  const DecodeLimits& limits = {},
                  const std::optional<Rgb>& background = std::nullopt);

}  // namespace qm
