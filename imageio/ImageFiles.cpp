// SPDX-License-Identifier: MIT
#include "imageio/ImageFiles.h"

#include <algorithm>
#include <new>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/BmpHeader.h"
#include "imageio/BmpReader.h"
#include "imageio/BmpWriter.h"
#include "imageio/ExifOrientation.h"
#include "imageio/FileIo.h"
#include "imageio/JpegReader.h"
#include "imageio/JpegWriter.h"
#include "imageio/OrientImage.h"
#include "imageio/PngReader.h"
#include "imageio/PngWriter.h"
#include "imageio/SourceFile.h"

namespace qm {
namespace {

using Decoder = Image (*)(SourceFile&, bool autoOrient);

// The picture of file, turned as its orientation tag says when autoOrient.
Image Oriented(Image picture, std::span<const std::uint8_t> file, bool autoOrient)
{
    // Not a conditional expression: its lvalue branch would copy the picture.
    if (!autoOrient) {
        return picture;
    }
    return OrientImage(std::move(picture), ExifOrientation(file));
}

Image ReadBmp(SourceFile& file, bool)
{
    std::vector<std::uint8_t> bytes;
    return ReadBmpFile(file, bytes);
}

Image ReadJpeg(SourceFile& file, bool autoOrient)
{
    std::vector<std::uint8_t> bytes;
    file.ReadRest(bytes);
    return Oriented(DecodeJpeg(bytes), bytes, autoOrient);
}

Image ReadPng(SourceFile& file, bool autoOrient)
{
    std::vector<std::uint8_t> bytes;
    file.ReadRest(bytes);
    return Oriented(DecodePng(bytes), bytes, autoOrient);
}

// The extension of the file name, from its last dot on, without the dot;
// empty when the name has no dot.
std::string ExtensionOf(const std::string& path)
{
    const std::size_t nameStart = path.find_last_of('/') + 1;  // npos + 1 == 0
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) {
        return {};
    }
    return path.substr(dot + 1);
}

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

Decoder DecoderForExtension(const std::string& extension)
{
    const std::string lowered = Lowered(extension);
    if (lowered == "bmp") {
        return ReadBmp;
    }
    if (lowered == "jpg" || lowered == "jpeg") {
        return ReadJpeg;
    }
    if (lowered == "png") {
        return ReadPng;
    }
    return nullptr;
}

}  // namespace

Image LoadImageFile(const std::string& path, bool autoOrient)
{
    const std::string extension = ExtensionOf(path);
    const Decoder decoder = DecoderForExtension(extension);
    if (decoder == nullptr) {
        throw ErrorMessage(Format(T("拡張子 .%s の画像形式は処理できません"), {extension}));
    }
    SourceFile file(path);
    return decoder(file, autoOrient);
}

std::optional<Image> LoadImageAnyFormat(const std::string& path, bool autoOrient)
{
    try {
        SourceFile file(path);
        std::vector<std::uint8_t> bytes;
        file.ReadUpTo(bytes, kBmpHeadBytes);
        // JPEG and PNG files start with their own signatures, so a file that
        // starts as a BMP is one or none, and its headers come first.
        if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
            return ReadBmpFile(file, bytes);
        }
        file.ReadRest(bytes);
        for (const auto decoder : {DecodeJpeg, DecodePng}) {
            std::optional<Image> picture;
            try {
                picture = decoder(bytes, DecodeLimits{});
            } catch (const ErrorMessage&) {
            } catch (const std::bad_alloc&) {
            }
            if (picture) {
                return Oriented(std::move(*picture), bytes, autoOrient);
            }
        }
    } catch (const ErrorMessage&) {
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}

void SaveBmp(const Image& image, const std::string& path)
{
    WriteFileAtomically(path, EncodeBmp(image));
}

void SaveJpeg(const Image& image, const std::string& path, int quality)
{
    WriteFileAtomically(path, EncodeJpeg(image, quality));
}

void SavePng(const Image& image, const std::string& path)
{
    WriteFileAtomically(path, EncodePng(image, kPngIdatSize));
}

}  // namespace qm
