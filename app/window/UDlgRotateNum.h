// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "core/MessageBoxes.h"

namespace qm {

// The model of the distorted-square setting dialog "歪四角の設定".
class TfrmRotateNum {
public:
    std::int32_t RotateNum = 3;
    // Text of the field edtVal.
    std::string edtVal;

    // Sets RotateNum and writes it as decimal text into edtVal.
    void SetValue(std::int32_t n);
    // OK: a whole number from 2 to 20 is taken and true returned (the dialog
    // closes); anything else shows the range message and returns false.
    bool OkClick(MessageBoxes& boxes);
    // Cancel: RotateNum stays as it was.
    void CancelClick() {}
};

}  // namespace qm
