// SPDX-License-Identifier: MIT
#include "plugin/UmuDll.h"

#include "core/Format.h"
#include "core/Translate.h"
#include "engine/ErrorCodes.h"
#include "plugin/HostAnswers.h"
#include "plugin/HostProtocol.h"
#include "plugin/PluginHost.h"
#include "plugin/PluginHostFailure.h"
#include "plugin/PluginLimits.h"
#include "plugin/SharedLibrary.h"

namespace qm {

void TDll::RefuseIf(HostAnswers& answers, bool refused, std::int32_t code, std::int32_t value,
                    std::int32_t limit)
{
    if (refused) {
        answers.ExpectEnd();
        Fail(code, Format(T("設定値[%d] 制限値[%d]"), {value, limit}));
    }
}

void TDll::BuildMap()
{
    BuildIdentityIndexMap(X(), Y());
    if (!SharedLibrary::IsRegularFile(LibraryPath)) {
        Fail(kErrLibraryLoad, Format(T("ファイル[%s]"), {LibraryPath}));
    }
    try {
        MapFromHost();
    } catch (const PluginHostFailure& failure) {
        Fail(kErrPluginHost, failure.Detail());
    }
}

void TDll::MapFromHost()
{
    // The host makes the calls into the library; its answers are checked
    // here in the order the calls came.
    HostAnswers answers(RunPluginHost(
        {host::kMapMode, LibraryPath, std::to_string(X()), std::to_string(Y())}, HostTimeLimit));
    const std::int32_t start = answers.Next();
    if (start == host::kLoadFailed) {
        answers.ExpectEnd();
        Fail(kErrLibraryLoad, Format(T("ファイル[%s]"), {LibraryPath}));
    }
    if (start == host::kMissingExport) {
        const std::int32_t missing = answers.Next();
        answers.ExpectEnd();
        if (missing < 0 || missing >= host::kExportCount) {
            throw PluginHostFailure::Garbage();
        }
        Fail(kErrMissingExport, Format(T("関数名[%s]"), {host::kExportNames[missing]}));
    }
    if (start != host::kIdentification) {
        throw PluginHostFailure::Garbage();
    }
    if (answers.Next() != 1) {
        answers.ExpectEnd();
        Fail(kErrUnusableLibrary, T("このDLLは使えません。"));
    }

    answers.Expect(host::kImageSize);
    ConvertedWidth = answers.Next();
    ConvertedHeight = answers.Next();
    const std::int32_t w = ConvertedWidth;
    const std::int32_t h = ConvertedHeight;
    RefuseIf(answers, w > kMaxConvertedSide, kErrWidthTooLarge, w, kMaxConvertedSide);
    RefuseIf(answers, w < kMinConvertedSide, kErrWidthTooSmall, w, kMinConvertedSide);
    RefuseIf(answers, h > kMaxConvertedSide, kErrHeightTooLarge, h, kMaxConvertedSide);
    RefuseIf(answers, h < kMinConvertedSide, kErrHeightTooSmall, h, kMinConvertedSide);

    answers.Expect(host::kTransMethod);
    for (std::int32_t i = 0; i < w; ++i) {
        for (std::int32_t j = 0; j < h; ++j) {
            const std::int32_t sx = answers.Next();
            const std::int32_t sy = answers.Next();
            RefuseIf(answers, sx >= X(), kErrSourceColumnTooLarge, sx, X());
            RefuseIf(answers, sx < 0, kErrSourceColumnNegative, sx, 0);
            RefuseIf(answers, sy >= Y(), kErrSourceRowTooLarge, sy, Y());
            RefuseIf(answers, sy < 0, kErrSourceRowNegative, sy, 0);
            ResultMap(i, j) = IndexMap(sx, sy);
        }
    }

    answers.Expect(host::kSymmetryType);
    Symmetry = answers.Next();
    answers.ExpectEnd();
    if (Symmetry < 1 || Symmetry > 4) {
        Fail(kErrSymmetryType, Format(T("変換タイプ[%d]"), {Symmetry}));
    }
}

std::optional<TPoint> TDll::TileSizeFor(TPoint size) const
{
    if (ConvertedWidth == 0 || size != TPoint{CutX(), CutY()}) {
        return std::nullopt;
    }
    const bool mirrorLeftRight = Symmetry == 2 || Symmetry == 4;
    const bool mirrorTopBottom = Symmetry == 3 || Symmetry == 4;
    return TPoint{mirrorLeftRight ? 2 * ConvertedWidth - 2 : ConvertedWidth,
                  mirrorTopBottom ? 2 * ConvertedHeight - 2 : ConvertedHeight};
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
