// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "app/RunSettings.h"
#include "core/MessageBoxes.h"
#include "core/Translate.h"

namespace qm {

// The model of the HTML settings dialog "HTML出力の設定". It lives as long
// as the program: the texts of its fields and its stored values survive
// between openings.
class TfrmHtml {
public:
    TfrmHtml();

    // Texts of the fields as the user edits them.
    std::string edtTitle = T("一覧");
    std::string edtNumOfCol = "5";
    std::string edtSizeWidth = "400";
    std::string edtSizeHeight = "400";
    std::string edtFileName = "list.html";

    // OK: checks the fields in order; on a problem shows its message and
    // returns false (the dialog stays open, nothing stored); otherwise
    // stores all five values and returns true (the dialog closes). A number
    // field that holds no integer throws ErrorMessage instead, for the
    // top-level handler to show; nothing is stored then either.
    bool OkClick(MessageBoxes& boxes);
    // Cancel: stores nothing; the field texts stay as typed.
    void CancelClick() {}

    // The stored values, which the index page is written with.
    const HtmlPageSettings& Stored() const { return stored_; }
    const std::string& HtmlFileName() const { return stored_.HtmlFileName; }
    std::int32_t NumOfCol() const { return stored_.NumOfCol; }
    const std::string& Title() const { return stored_.Title; }
    std::int32_t PopupWidth() const { return stored_.PopupWidth; }
    std::int32_t PopupHeight() const { return stored_.PopupHeight; }

private:
    HtmlPageSettings stored_;
};

}  // namespace qm
