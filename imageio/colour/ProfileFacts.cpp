// SPDX-License-Identifier: MIT
#include "imageio/colour/ProfileFacts.h"

#include <nettle/sha2.h>

#include <array>
#include <cwchar>

namespace qm::colour {
namespace {

constexpr std::size_t kMaxDescription = 200;

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xc0 | c >> 6));
        text.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xe0 | c >> 12));
        text.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3f)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else {
        text.push_back(static_cast<char>(0xf0 | c >> 18));
        text.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3f)));
        text.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3f)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    }
}

}  // namespace

std::string DescriptionOf(cmsHPROFILE profile)
{
    std::array<wchar_t, kMaxDescription + 1> wide{};
    const cmsUInt32Number bytes = cmsGetProfileInfo(profile, cmsInfoDescription, "en", "US",
                                                    wide.data(), sizeof wide);
    std::string text;
    if (bytes == 0) {
        return text;
    }
    wide.back() = 0;
    for (const wchar_t* c = wide.data(); *c != 0; ++c) {
        const auto code = static_cast<char32_t>(*c);
        // Control characters and code points that are no characters are left out.
        if (code >= 0x20 && code != 0x7f && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff)) {
            AppendUtf8(text, code);
        }
    }
    return text;
}

std::string Sha256Hex(std::span<const std::uint8_t> bytes)
{
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), bytes.data());
    std::array<std::uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&context, digest.size(), digest.data());
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : digest) {
        hex.push_back(kDigits[byte >> 4]);
        hex.push_back(kDigits[byte & 15]);
    }
    return hex;
}

}  // namespace qm::colour
