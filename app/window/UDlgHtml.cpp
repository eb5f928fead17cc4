// SPDX-License-Identifier: MIT
#include "app/window/UDlgHtml.h"

#include <optional>

#include "app/TextToInt.h"
#include "core/Errors.h"
#include "core/Translate.h"

namespace qm {

TfrmHtml::TfrmHtml()
    : stored_{edtTitle, *TextToInt(edtNumOfCol), *TextToInt(edtSizeWidth),
              *TextToInt(edtSizeHeight), edtFileName}
{
}

bool TfrmHtml::OkClick(MessageBoxes& boxes)
{
    const std::string title = edtTitle;

    const std::optional<std::int32_t> numOfCol = TextToInt(edtNumOfCol);
    if (!numOfCol) {
        throw ErrorMessage(NotAnIntegerMessage(edtNumOfCol));
    }
    if (*numOfCol < 1) {
        boxes.ShowErrorBox(T("1行あたりの画像数は1以上の整数にして下さい。"));
        return false;
    }

    const std::optional<std::int32_t> width = TextToInt(edtSizeWidth);
    if (!width) {
        throw ErrorMessage(NotAnIntegerMessage(edtSizeWidth));
    }
    const std::optional<std::int32_t> height = TextToInt(edtSizeHeight);
    if (!height) {
        throw ErrorMessage(NotAnIntegerMessage(edtSizeHeight));
    }

    if (edtFileName.empty()) {
        boxes.ShowErrorBox(T("ファイル名を指定して下さい。"));
        return false;
    }

    stored_ = {title, *numOfCol, *width, *height, edtFileName};
    return true;
}

}  // namespace qm
