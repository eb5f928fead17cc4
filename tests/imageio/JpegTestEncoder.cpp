// SPDX-License-Identifier: MIT
#include "JpegTestEncoder.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace qm::test {

namespace {

std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& samples, int width, int height,
                                 int components, int colorSpace,
                                 const std::vector<jpeg_scan_info>& scans)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = static_cast<J_COLOR_SPACE>(colorSpace);
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (!scans.empty()) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data()) +
                       static_cast<std::size_t>(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> file(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return file;
}

}  // namespace

std::vector<std::uint8_t> EncodeRawJpeg(const std::vector<std::uint8_t>& samples, int width,
                                        int height, int components, int colorSpace)
{
    return Encode(samples, width, height, components, colorSpace, {});
}

std::vector<std::uint8_t> EncodeManyScanGreyJpeg(const std::vector<std::uint8_t>& samples,
                                                 int width, int height, bool refine)
{
    std::vector<jpeg_scan_info> scans;
    scans.push_back({1, {0}, 0, 0, 0, 0});
    for (int k = 1; k < 64; ++k) {
        scans.push_back({1, {0}, k, k, 0, refine ? 1 : 0});
    }
    for (int k = 1; refine && k < 64; ++k) {
        scans.push_back({1, {0}, k, k, 1, 0});
    }
    return Encode(samples, width, height, 1, JCS_GRAYSCALE, scans);
}

}  // namespace qm::test
