// SPDX-License-Identifier: MIT
#include "imageio/TiffWriter.h"

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/TiffStream.h"
#include "imageio/colour/ProfileBytes.h"

namespace qm {
namespace {

// The largest single allocation libtiff may make while writing a tile.
constexpr std::int64_t kMaxWriterAllocation = std::int64_t{1} << 30;

[[noreturn]] void ThrowTiffError(const std::string& reason)
{
    throw ErrorMessage(Format(T("TIFF エラー: %s"), {reason}));
}

void SetFields(TIFF* tiff, const Image& image, int dpi, const std::vector<std::uint8_t>* profile)
{
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.Width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.Height()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (dpi > 0) {
        TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(dpi));
        TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(dpi));
    } else {
        TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_NONE);
        TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 1.0f);
        TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 1.0f);
    }
    if (profile != nullptr && !profile->empty()) {
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(profile->size()),
                     profile->data());
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeTiff(const Image& image, int dpi, const ColourTag& tag)
{
    const std::vector<std::uint8_t>* profile = !tag.Profile.empty() ? &tag.Profile
                                               : tag.Srgb          ? &colour::SrgbProfileBytes()
                                                                   : nullptr;
    TiffStream stream;
    {
        const TiffHandle tiff(stream.Open("w", kMaxWriterAllocation));
        if (!tiff) {
            ThrowTiffError(stream.Error);
        }
        SetFields(tiff.get(), image, dpi, profile);
        std::vector<std::uint8_t> row(image.RowBytes());
        for (int y = 0; y < image.Height(); ++y) {
            const std::uint8_t* bgr = image.Row(y);
            for (std::size_t i = 0; i < row.size(); i += 3) {
                row[i] = bgr[i + 2];
                row[i + 1] = bgr[i + 1];
                row[i + 2] = bgr[i];
            }
            if (TIFFWriteScanline(tiff.get(), row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
                ThrowTiffError(stream.Error.empty() ? "Cannot write the image data" : stream.Error);
            }
        }
        if (!TIFFWriteDirectory(tiff.get())) {
            ThrowTiffError(stream.Error.empty() ? "Cannot write the directory" : stream.Error);
        }
    }
    return std::move(stream.Written());
}

}  // namespace qm
