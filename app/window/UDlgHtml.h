// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

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

    const std::string& HtmlFileName() const { return htmlFileName_; }
    std::int32_t NumOfCol() const { return numOfCol_; }
    const std::string& Title() const { return title_; }
    std::int32_t PopupWidth() const { return popupWidth_; }
    std::int32_t PopupHeight() const { return popupHeight_; }

private:
    std::string htmlFileName_;
    std::int32_t numOfCol_ = 0;
    std::string title_;
    std::int32_t popupWidth_ = 0;
    std::int32_t popupHeight_ = 0;
};

}  // namespace qm
