// SPDX-License-Identifier: MIT
#include "app/window/UDlgRotateNum.h"

#include "app/SettingRanges.h"
#include "app/TextToInt.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {

void TfrmRotateNum::SetValue(std::int32_t n)
{
    RotateNum = n;
    edtVal = std::to_string(n);
}

bool TfrmRotateNum::OkClick(MessageBoxes& boxes)
{
    const std::optional<std::int32_t> value = TextToInt(edtVal);
    if (!value || *value < kRotateNumMin || *value > kRotateNumMax) {
        boxes.ShowErrorBox(Format(T("歪四角の変換値は%d～%dの整数を指定して下さい。"), {kRotateNumMin, kRotateNumMax}));
        return false;
    }
    RotateNum = *value;
    return true;
}

}  // namespace qm
