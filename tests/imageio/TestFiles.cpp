// SPDX-License-Identifier: MIT
#include "TestFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "imageio/ImageFiles.h"

namespace qm::test {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::uint8_t> ReadFixture(const std::string& relative)
{
    return ReadBytes(Fixture(relative));
}

std::vector<std::filesystem::path> FixtureFiles(const std::string& folder,
                                                const std::string& extension)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(Fixture(folder))) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

DecodedPicture Decoded(const std::string& relative, const DecodeOptions& options)
{
    return LoadPictureFile(Fixture(relative).string(), options);
}

DecodeOptions WithColour(ColourHandling colour)
{
    DecodeOptions options;
    options.Colour = colour;
    return options;
}

Image Gradient(int width, int height)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x * 7 + y);
            p[1] = static_cast<std::uint8_t>(y * 5 + 3 * x);
            p[2] = static_cast<std::uint8_t>(x * y + 11);
        }
    }
    return image;
}

}  // namespace qm::test
