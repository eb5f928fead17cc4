// SPDX-License-Identifier: MIT
#include "imageio/colour/SrgbConversion.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/Translate.h"
#include "imageio/colour/BoundedContext.h"
#include "imageio/colour/Cicp.h"
#include "imageio/colour/InkToBgr.h"
#include "imageio/colour/ProfileBytes.h"
#include "imageio/colour/ProfileFacts.h"
#include "imageio/colour/TransformBands.h"

namespace qm::colour {
namespace {

// The sRGB test runs every fifth level of each channel, 0 to 255.
constexpr int kGridStep = 5;
constexpr int kGridLevels = 255 / kGridStep + 1;

void Warn(ColourResult& result, const char* text)
{
    const std::string warning = T(text);
    if (std::find(result.Warnings.begin(), result.Warnings.end(), warning) ==
        result.Warnings.end()) {
        result.Warnings.push_back(warning);
    }
}

// Profiles that describe the colours of pictures; device links, abstract
// and named-colour profiles do not.
bool DescribesPictures(cmsHPROFILE profile)
{
    const cmsProfileClassSignature kind = cmsGetDeviceClass(profile);
    return kind == cmsSigInputClass || kind == cmsSigDisplayClass || kind == cmsSigOutputClass ||
           kind == cmsSigColorSpaceClass;
}

// The embedded ICC profile opened in context when it is within size, of a
// picture's kind and of colour space space; null otherwise. Notes its
// facts in result.
Profile OpenIcc(cmsContext context, const std::vector<std::uint8_t>& icc,
                cmsColorSpaceSignature space, ColourResult& result)
{
    result.Sha256 = Sha256Hex(icc);
    if (icc.size() > kMaxProfileBytes || context == nullptr) {
        return Profile();
    }
    Profile profile(cmsOpenProfileFromMemTHR(context, icc.data(),
                                             static_cast<cmsUInt32Number>(icc.size())));
    if (!profile) {
        return profile;
    }
    result.Description = DescriptionOf(profile.Get());
    if (!DescribesPictures(profile.Get()) || cmsGetColorSpace(profile.Get()) != space) {
        return Profile();
    }
    return profile;
}

const std::vector<std::uint8_t>& Grid()
{
    static const std::vector<std::uint8_t> grid = [] {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(3 * kGridLevels * kGridLevels * kGridLevels);
        for (int b = 0; b < kGridLevels; ++b) {
            for (int g = 0; g < kGridLevels; ++g) {
                for (int r = 0; r < kGridLevels; ++r) {
                    bytes.push_back(static_cast<std::uint8_t>(b * kGridStep));
                    bytes.push_back(static_cast<std::uint8_t>(g * kGridStep));
                    bytes.push_back(static_cast<std::uint8_t>(r * kGridStep));
                }
            }
        }
        return bytes;
    }();
    return grid;
}

bool MovesNoValueBeyondOne(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after)
{
    return std::equal(before.begin(), before.end(), after.begin(), [](std::uint8_t a, std::uint8_t b) {
        return std::abs(int{a} - int{b}) <= 1;
    });
}

bool LeavesGridAsSrgb(cmsHTRANSFORM transform)
{
    const std::vector<std::uint8_t>& grid = Grid();
    std::vector<std::uint8_t> out(grid.size());
    cmsDoTransform(transform, grid.data(), out.data(),
                   static_cast<cmsUInt32Number>(grid.size() / 3));
    return MovesNoValueBeyondOne(grid, out);
}

void ConvertRgb(Image& picture, cmsContext context, cmsHPROFILE profile, ColourResult& result)
{
    const Profile srgb(cmsCreate_sRGBProfileTHR(context));
    const Transform transform(srgb ? cmsCreateTransformTHR(context, profile, TYPE_BGR_8, srgb.Get(),
                                                           TYPE_BGR_8, kIntent, kTransformFlags)
                                   : nullptr);
    if (!transform) {
        Warn(result, kUnreadableProfile);
        return;
    }
    if (LeavesGridAsSrgb(transform.Get())) {
        return;
    }
    std::uint8_t* pixels = picture.Row(0);
    TransformInBands(transform.Get(), pixels, 3, pixels, 3, picture.Width(), picture.Height());
    result.Converted = true;
}

// A grey profile with sRGB's white and curve, the target of grey pictures.
cmsHPROFILE SrgbGrey(cmsContext context)
{
    const double params[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(context, 4, params);
    if (curve == nullptr) {
        return nullptr;
    }
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    cmsHPROFILE grey = cmsCreateGrayProfileTHR(context, &d65, curve);
    cmsFreeToneCurve(curve);
    return grey;
}

void ConvertGrey(Image& picture, cmsContext context, cmsHPROFILE profile, ColourResult& result)
{
    const Profile target(SrgbGrey(context));
    const Transform transform(target ? cmsCreateTransformTHR(context, profile, TYPE_GRAY_8,
                                                             target.Get(), TYPE_GRAY_8, kIntent,
                                                             kTransformFlags)
                                     : nullptr);
    if (!transform) {
        Warn(result, kUnreadableProfile);
        return;
    }
    std::array<std::uint8_t, 256> levels{};
    std::array<std::uint8_t, 256> curve{};
    for (int i = 0; i < 256; ++i) {
        levels[i] = static_cast<std::uint8_t>(i);
    }
    cmsDoTransform(transform.Get(), levels.data(), curve.data(), 256);
    if (MovesNoValueBeyondOne(levels, curve)) {
        return;
    }
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* row = picture.Row(y);
        for (std::size_t i = 0; i < picture.RowBytes(); ++i) {
            row[i] = curve[row[i]];
        }
    }
    result.Converted = true;
}

}  // namespace

ColourResult ConvertToSrgb(Image& picture, ColourModel model, const EmbeddedColour& colour,
                           bool keepRgbProfile)
{
    ColourResult result;
    if (colour.Empty() || picture.Empty()) {
        return result;
    }
    const BoundedContext context;
    const bool grey = model == ColourModel::Grey;
    Profile profile;
    if (!colour.Icc.empty()) {
        profile = OpenIcc(context.Get(), colour.Icc, grey ? cmsSigGrayData : cmsSigRgbData, result);
        if (!profile) {
            Warn(result, kUnreadableProfile);
            return result;
        }
    } else {
        if (IsHdrTransfer(*colour.Cicp)) {
            Warn(result, kHdrShownAsIs);
        }
        profile = Profile(ProfileOfCicp(context.Get(), *colour.Cicp));
        if (!profile) {
            Warn(result, kUnreadableProfile);
            return result;
        }
    }
    if (grey) {
        ConvertGrey(picture, context.Get(), profile.Get(), result);
    } else if (!keepRgbProfile) {
        ConvertRgb(picture, context.Get(), profile.Get(), result);
    } else if (!colour.Icc.empty()) {
        result.KeptProfile = colour.Icc;
    } else {
        const Profile srgb(cmsCreate_sRGBProfileTHR(context.Get()));
        const Transform transform(cmsCreateTransformTHR(context.Get(), profile.Get(), TYPE_BGR_8,
                                                        srgb.Get(), TYPE_BGR_8, kIntent,
                                                        kTransformFlags));
        // Code points that mean sRGB need no profile.
        if (transform && !LeavesGridAsSrgb(transform.Get())) {
            result.KeptProfile = ReproducibleBytes(profile.Get());
        }
    }
    return result;
}

ColourResult ConvertInkToSrgb(std::span<const std::uint8_t> ink, bool inverted,
                              const EmbeddedColour& colour, Image& picture)
{
    ColourResult result;
    const std::int64_t pixels = std::int64_t{picture.Width()} * picture.Height();
    if (pixels == 0) {
        return result;
    }
    if (colour.Icc.empty()) {
        InkToBgr(ink.data(), picture.Row(0), pixels, inverted);
        return result;
    }
    const BoundedContext context;
    const Profile profile = OpenIcc(context.Get(), colour.Icc, cmsSigCmykData, result);
    const Profile srgb(profile ? cmsCreate_sRGBProfileTHR(context.Get()) : nullptr);
    const Transform transform(
        srgb ? cmsCreateTransformTHR(context.Get(), profile.Get(),
                                     inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8, srgb.Get(),
                                     TYPE_BGR_8, kIntent, kTransformFlags)
             : nullptr);
    if (!transform) {
        Warn(result, kUnreadableProfile);
        InkToBgr(ink.data(), picture.Row(0), pixels, inverted);
        return result;
    }
    TransformInBands(transform.Get(), ink.data(), 4, picture.Row(0), 3, picture.Width(),
                     picture.Height());
    result.Converted = true;
    return result;
}

}  // namespace qm::colour
