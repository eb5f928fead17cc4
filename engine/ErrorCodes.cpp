// SPDX-License-Identifier: MIT
#include "engine/ErrorCodes.h"

namespace qm {

std::string ErrorCodeMessage(std::int32_t code)
{
    switch (code) {
    case kErrCutTooLarge: return "切り出した画像が大きすぎます。";
    case kErrCutTooSmall: return "切り出した画像が小さすぎます。";
    case kErrPieceSize: return "切り出した画像サイズが指定された値と異なります。";
    case kErrOddSize: return "切り出した画像サイズが奇数です(奇数不可)。";
    case kErrSourceTooSmall: return "元の画像が小さすぎます。\r\n(もっと大きな画像を設定してください)";
    case kErrBadMethod: return "変換方式が不正です。";
    case kErrLibraryLoad: return "DLLの呼び出しに失敗しました。";
    case kErrMissingExport: return "関数が呼び出せませんでした。";
    case kErrWidthTooLarge: return "変換後のX方向のサイズが大きすぎます。";
    case kErrHeightTooLarge: return "変換後のY方向のサイズが大きすぎます。";
    case kErrSourceColumnTooLarge: return "取得元のX座標の値が切り出した画像をはみ出しています。";
    case kErrSourceRowTooLarge: return "取得元のY座標の値が切り出した画像をはみ出しています。";
    case kErrUnusableLibrary: return "このDLLは使えません。";
    case kErrSymmetryType: return "変換のタイプが不正です。";
    case kErrPluginHost: return "外部変換ライブラリの実行に失敗しました。";
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
