// SPDX-License-Identifier: MIT
#include "engine/ErrorCodes.h"

#include "core/Translate.h"

namespace qm {

std::string ErrorCodeMessage(std::int32_t code)
{
    switch (code) {
    case kErrCutTooLarge: return T("切り出した画像が大きすぎます。");
    case kErrCutTooSmall: return T("切り出した画像が小さすぎます。");
    case kErrPieceSize: return T("切り出した画像サイズが指定された値と異なります。");
    case kErrOddSize: return T("切り出した画像サイズが奇数です(奇数不可)。");
    case kErrSourceTooSmall: return T("元の画像が小さすぎます。\r\n(もっと大きな画像を設定してください)");
    case kErrBadMethod: return T("変換方式が不正です。");
    case kErrLibraryLoad: return T("DLLの呼び出しに失敗しました。");
    case kErrMissingExport: return T("関数が呼び出せませんでした。");
    case kErrWidthTooLarge: return T("変換後のX方向のサイズが大きすぎます。");
    case kErrHeightTooLarge: return T("変換後のY方向のサイズが大きすぎます。");
    case kErrSourceColumnTooLarge: return T("取得元のX座標の値が切り出した画像をはみ出しています。");
    case kErrSourceRowTooLarge: return T("取得元のY座標の値が切り出した画像をはみ出しています。");
    case kErrUnusableLibrary: return T("このDLLは使えません。");
    case kErrSymmetryType: return T("変換のタイプが不正です。");
    case kErrPluginHost: return T("外部変換ライブラリの実行に失敗しました。");
    default: return {};
    }
}

std::string ErrorReportText(std::int32_t code, const std::string& detail)
{
    std::string report = ErrorCodeMessage(code) + ":" + std::to_string(code);
    if (!detail.empty()) {
        report += "\r\n" + detail;
    }
    return report;
}

void ReportError(MessageBoxes& boxes, std::int32_t code, const std::string& detail)
{
    boxes.ShowErrorBox(ErrorReportText(code, detail));
}

}  // namespace qm
