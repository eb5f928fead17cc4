// SPDX-License-Identifier: MIT
#include "app/record/FileHash.h"

#include <nettle/sha2.h>

#include <array>
#include <fstream>

namespace qm {
namespace {

std::string HexOf(const sha256_ctx& done)
{
    sha256_ctx context = done;
    std::array<std::uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&context, digest.size(), digest.data());
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

}  // namespace

std::string Sha256Hex(std::span<const unsigned char> bytes)
{
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), bytes.data());
    return HexOf(context);
}

std::optional<std::string> Sha256OfFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    sha256_ctx context;
    sha256_init(&context);
    std::array<char, 65536> buffer{};
    while (file.read(buffer.data(), buffer.size()) || file.gcount() > 0) {
        sha256_update(&context, static_cast<std::size_t>(file.gcount()),
                      reinterpret_cast<const std::uint8_t*>(buffer.data()));
    }
    if (file.bad()) {
        return std::nullopt;
    }
    return HexOf(context);
}

}  // namespace qm
