// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "core/Translate.h"

namespace qm {

// Writes the text of the HTML index page: a table of thumbnails, NumOfCol
// to a row, each opening the image as the tiled background of a pop-up
// window of PopupWidth by PopupHeight named "img".
class TMakeHtml {
public:
    std::int32_t NumOfCol = 5;
    std::string Title = T("一覧");
    std::int32_t PopupWidth = 400;
    std::int32_t PopupHeight = 400;

    // The page for images 1 to count named prefix + three-digit number +
    // "." + extension; every line ends with CR LF. The page declares that
    // it is Shift_JIS (it is written in code page 932); the title goes in
    // unchanged, and the names with the characters that markup, scripts and
    // URLs give a meaning of their own percent-encoded. Throws ErrorMessage
    // when count or NumOfCol is below 1.
    std::string BuildPage(std::int32_t count, const std::string& prefix,
                          const std::string& extension) const;
};

}  // namespace qm
