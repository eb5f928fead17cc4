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
#include "imageio/FileIo.h"
#include "imageio/FinishPicture.h"
#include "imageio/HeifReader.h"
#include "imageio/JpegReader.h"
#include "imageio/JpegWriter.h"
#include "imageio/PngReader.h"
#include "imageio/PngWriter.h"
#include "imageio/SourceFile.h"
#include "imageio/TiffReader.h"
#include "imageio/TiffWriter.h"
#include "imageio/WebpReader.h"

namespace qm {
namespace {

using Decoder = DecodedSource (*)(SourceFile&, const DecodeOptions&);

std::vector<std::uint8_t> WholeFile(SourceFile& file)
{
    std::vector<std::uint8_t> bytes;
    file.ReadRest(bytes);
    return bytes;
}

DecodedSource ReadBmp(SourceFile& file, const DecodeOptions& options)
{
    std::vector<std::uint8_t> bytes;
    DecodedSource source;
    source.Picture = ReadBmpFile(file, bytes, options.Limits, options.Background);
    return source;
}

DecodedSource ReadJpeg(SourceFile& file, const DecodeOptions& options)
{
    return DecodeJpegSource(WholeFile(file), options);
}

DecodedSource ReadPng(SourceFile& file, const DecodeOptions& options)
{
    return DecodePngSource(WholeFile(file), options);
}

DecodedSource ReadHeif(SourceFile& file, const DecodeOptions& options)
{
    return DecodeHeifSource(WholeFile(file), options);
}

DecodedSource ReadWebp(SourceFile& file, const DecodeOptions& options)
{
    return DecodeWebpSource(WholeFile(file), options);
}

DecodedSource ReadTiff(SourceFile& file, const DecodeOptions& options)
{
    return DecodeTiffSource(WholeFile(file), options);
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
    if (lowered == "heic" || lowered == "heif" || lowered == "avif") {
        return ReadHeif;
    }
    if (lowered == "webp") {
        return ReadWebp;
    }
    if (lowered == "tif" || lowered == "tiff") {
        return ReadTiff;
    }
    return nullptr;
}

// The decoders tried after BMP, in order, each with the test that must
// pass first (none: always tried).
struct ChainLink {
    DecodedSource (*Decode)(std::span<const std::uint8_t>, const DecodeOptions&);
    bool (*Signature)(std::span<const std::uint8_t>);
};
constexpr ChainLink kChain[] = {
    {DecodeJpegSource, nullptr},
    {DecodePngSource, nullptr},
    {DecodeHeifSource, IsHeif},
    {DecodeWebpSource, IsWebp},
    {DecodeTiffSource, IsTiff},
};

DecodeOptions WithOrientation(bool autoOrient)
{
    DecodeOptions options;
    options.AutoOrient = autoOrient;
    return options;
}

}  // namespace

DecodedPicture LoadPictureFile(const std::string& path, const DecodeOptions& options)
{
    const std::string extension = ExtensionOf(path);
    const Decoder decoder = DecoderForExtension(extension);
    if (decoder == nullptr) {
        throw ErrorMessage(Format(T("拡張子 .%s の画像形式は処理できません"), {extension}));
    }
    SourceFile file(path);
    return FinishPicture(decoder(file, options), options);
}

std::optional<DecodedPicture> LoadPictureAnyFormat(const std::string& path,
                                                   const DecodeOptions& options)
{
    try {
        SourceFile file(path);
        std::vector<std::uint8_t> bytes;
        file.ReadUpTo(bytes, kBmpHeadBytes);
        // The other formats start with their own signatures, so a file that
        // starts as a BMP is one or none, and its headers come first.
        if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
            DecodedSource source;
            source.Picture = ReadBmpFile(file, bytes, options.Limits, options.Background);
            return FinishPicture(std::move(source), options);
        }
        file.ReadRest(bytes);
        for (const ChainLink& link : kChain) {
            if (link.Signature != nullptr && !link.Signature(bytes)) {
                continue;
            }
            std::optional<DecodedSource> source;
            try {
                source = link.Decode(bytes, options);
            } catch (const ErrorMessage&) {
            } catch (const std::bad_alloc&) {
            }
            if (source) {
                return FinishPicture(std::move(*source), options);
            }
        }
    } catch (const ErrorMessage&) {
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}

Image LoadImageFile(const std::string& path, bool autoOrient)
{
    return LoadPictureFile(path, WithOrientation(autoOrient)).Picture;
}

std::optional<Image> LoadImageAnyFormat(const std::string& path, bool autoOrient)
{
    std::optional<DecodedPicture> picture = LoadPictureAnyFormat(path, WithOrientation(autoOrient));
    if (!picture) {
        return std::nullopt;
    }
    return std::move(picture->Picture);
}

void SaveBmp(const Image& image, const std::string& path)
{
    WriteFileAtomically(path, EncodeBmp(image));
}

void SaveJpeg(const Image& image, const std::string& path, int quality, const ColourTag& tag)
{
    WriteFileAtomically(path, EncodeJpeg(image, quality, 0, tag));
}

void SavePng(const Image& image, const std::string& path, const ColourTag& tag)
{
    WriteFileAtomically(path, EncodePng(image, kPngIdatSize, 0, tag));
}

void SaveTiff(const Image& image, const std::string& path, const ColourTag& tag)
{
    WriteFileAtomically(path, EncodeTiff(image, 0, tag));
}

}  // namespace qm
