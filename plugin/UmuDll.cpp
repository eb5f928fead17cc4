#include "plugin/UmuDll.h"

#include "core/Format.h"
#include "engine/ErrorCodes.h"
#include "plugin/SharedLibrary.h"
#include "plugin/include/quillmore_plugin.h"

namespace qm {
namespace {

using IdentifyFunction = decltype(&::QuillmoreDLL);
using ImageSizeFunction = decltype(&::MakeImageSize);
using TransMethodFunction = decltype(&::MakeTransMethod);
using SymmetryTypeFunction = decltype(&::SymmetryType);

constexpr std::int32_t kMinConvertedSide = 32;
constexpr std::int32_t kMaxConvertedSide = 256;

}  // namespace

void TDll::RefuseIf(bool refused, std::int32_t code, std::int32_t value, std::int32_t limit)
{
    if (refused) {
        Fail(code, Format("設定値[%d] 制限値[%d]", {value, limit}));
    }
}

void TDll::FailMissingExport(const char* name)
{
    Fail(kErrMissingExport, Format("関数名[%s]", {name}));
}

void TDll::BuildMap()
{
    BuildIdentityIndexMap(X(), Y());

    // Released when this function ends, also when a check below gives up.
    const SharedLibrary library(LibraryPath);
    if (!library.Loaded()) {
        Fail(kErrLibraryLoad, Format("ファイル[%s]", {LibraryPath}));
    }
    const auto identify = library.Export<IdentifyFunction>("QuillmoreDLL");
    if (identify == nullptr) {
        FailMissingExport("QuillmoreDLL");
    }
    const auto imageSize = library.Export<ImageSizeFunction>("MakeImageSize");
    if (imageSize == nullptr) {
        FailMissingExport("MakeImageSize");
    }
    const auto transMethod = library.Export<TransMethodFunction>("MakeTransMethod");
    if (transMethod == nullptr) {
        FailMissingExport("MakeTransMethod");
    }
    const auto symmetryType = library.Export<SymmetryTypeFunction>("SymmetryType");
    if (symmetryType == nullptr) {
        FailMissingExport("SymmetryType");
    }

    if (identify() != 1) {
        Fail(kErrUnusableLibrary, "このDLLは使えません。");
    }

    imageSize(X(), Y(), &ConvertedWidth, &ConvertedHeight);
    const std::int32_t w = ConvertedWidth;
    const std::int32_t h = ConvertedHeight;
    RefuseIf(w > kMaxConvertedSide, kErrWidthTooLarge, w, kMaxConvertedSide);
    RefuseIf(w < kMinConvertedSide, kErrWidthTooSmall, w, kMinConvertedSide);
    RefuseIf(h > kMaxConvertedSide, kErrHeightTooLarge, h, kMaxConvertedSide);
    RefuseIf(h < kMinConvertedSide, kErrHeightTooSmall, h, kMinConvertedSide);

    // A call that writes nothing repeats the previous answer.
    std::int32_t sx = 0;
    std::int32_t sy = 0;
    for (std::int32_t i = 0; i < w; ++i) {
        for (std::int32_t j = 0; j < h; ++j) {
            transMethod(w, h, i, j, &sx, &sy);
            RefuseIf(sx >= X(), kErrSourceColumnTooLarge, sx, X());
            RefuseIf(sx < 0, kErrSourceColumnNegative, sx, 0);
            RefuseIf(sy >= Y(), kErrSourceRowTooLarge, sy, Y());
            RefuseIf(sy < 0, kErrSourceRowNegative, sy, 0);
            ResultMap(i, j) = IndexMap(sx, sy);
        }
    }

    Symmetry = symmetryType();
    if (Symmetry < 1 || Symmetry > 4) {
        Fail(kErrSymmetryType, Format("変換タイプ[%d]", {Symmetry}));
    }
}

void TDll::BuildResult()
{
    const bool mirrorLeftRight = Symmetry == 2 || Symmetry == 4;
    const bool mirrorTopBottom = Symmetry == 3 || Symmetry == 4;
    const int width = ConvertedWidth;
    const int height = ConvertedHeight;
    Result().SetWidth(mirrorLeftRight ? 2 * width - 2 : width);
    Result().SetHeight(mirrorTopBottom ? 2 * height - 2 : height);
    RenderResultMap(width, height);
    if (mirrorLeftRight) {
        MirrorColumns(width - 1, height);
    }
    if (mirrorTopBottom) {
        MirrorRows(height - 1);
    }
}

}  // namespace qm
