// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "core/Image.h"

namespace qm {

// Rows per band. Fixed, so that the stream is the same whatever the machine
// and the number of threads.
inline constexpr int kPngBandRows = 64;

// The zlib stream of a PNG file's image data for image: every row as RGB,
// led by filter type 2 ("up", against zeros above the first row), exactly
// the bytes the one-thread PNG writer deflates. The rows are deflated in
// bands of kPngBandRows rows, up to threads bands at a time, each at zlib's
// default level with the default strategy and memory level 9, primed with
// the last 32 KiB of the data before it and ended on a byte boundary (the
// last one finishing the stream), then joined behind one zlib header with
// the checksum combined from the bands'. Throws ErrorMessage
// ("PNG エラー: <reason>") when zlib fails.
std::vector<std::uint8_t> DeflateRowsInBands(const Image& image, unsigned threads);

}  // namespace qm
