// SPDX-License-Identifier: MIT
#include "imageio/colour/ProfileBytes.h"

#include "imageio/colour/BoundedContext.h"

namespace qm::colour {
namespace {

// The header's creation date: six big-endian numbers from byte 24.
constexpr std::size_t kDateOffset = 24;
constexpr std::uint16_t kFixedDate[6] = {2000, 1, 1, 0, 0, 0};

std::vector<std::uint8_t> Saved(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    if (!cmsSaveProfileToMem(profile, nullptr, &size) || size < 128) {
        return {};
    }
    std::vector<std::uint8_t> bytes(size);
    if (!cmsSaveProfileToMem(profile, bytes.data(), &size)) {
        return {};
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> ReproducibleBytes(cmsHPROFILE profile)
{
    std::vector<std::uint8_t> bytes = Saved(profile);
    if (bytes.empty()) {
        return {};
    }
    for (std::size_t i = 0; i < 6; ++i) {
        bytes[kDateOffset + 2 * i] = static_cast<std::uint8_t>(kFixedDate[i] >> 8);
        bytes[kDateOffset + 2 * i + 1] = static_cast<std::uint8_t>(kFixedDate[i]);
    }
    // Opened again, the profile keeps the date read and gets its ID.
    const BoundedContext context;
    const Profile dated(cmsOpenProfileFromMemTHR(context.Get(), bytes.data(),
                                                 static_cast<cmsUInt32Number>(bytes.size())));
    if (!dated || !cmsMD5computeID(dated.Get())) {
        return {};
    }
    return Saved(dated.Get());
}

const std::vector<std::uint8_t>& SrgbProfileBytes()
{
    static const std::vector<std::uint8_t> bytes = [] {
        const BoundedContext context;
        const Profile srgb(cmsCreate_sRGBProfileTHR(context.Get()));
        return srgb ? ReproducibleBytes(srgb.Get()) : std::vector<std::uint8_t>{};
    }();
    return bytes;
}

}  // namespace qm::colour
