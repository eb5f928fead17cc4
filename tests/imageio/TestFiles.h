// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Image.h"
#include "imageio/DecodeOptions.h"

namespace qm::test {

inline std::filesystem::path Fixture(const std::string& relative)
{
    return std::filesystem::path(QM_FIXTURES) / relative;
}

// The bytes of a fixture file; an empty vector when it cannot be read.
std::vector<std::uint8_t> ReadFixture(const std::string& relative);

// The regular files directly in a fixture folder with the given extension,
// sorted by name.
std::vector<std::filesystem::path> FixtureFiles(const std::string& folder,
                                                const std::string& extension);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// A fixture decoded by the decoder its extension names.
DecodedPicture Decoded(const std::string& relative, const DecodeOptions& options = {});

// A DecodeOptions whose colours go as colour says.
DecodeOptions WithColour(ColourHandling colour);

// An image whose every pixel differs from its neighbours.
Image Gradient(int width, int height);

}  // namespace qm::test
