// SPDX-License-Identifier: MIT
#include "app/UDlgRotateNum.h"

#include "app/TextToInt.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {
namespace {

constexpr std::int32_t kLowest = 2;
constexpr std::int32_t kHighest = 20;

}  // namespace

void TfrmRotateNum::SetValue(std::int32_t n)
{
    RotateNum = n;
    edtVal = std::to_string(n);
}

bool TfrmRotateNum::OkClick(MessageBoxes& boxes)
{
    const std::optional<std::int32_t> value = TextToInt(edtVal);
    if (!value || *value < kLowest || *value > kHighest) {
        boxes.ShowErrorBox(Format(T("歪四角の変換値は%d～%dの整数を指定して下さい。"), {kLowest, kHighest}));
        return false;
    }
    RotateNum = *value;
    return true;
}

}  // namespace qm
