// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// What the main window hands to the HTML step.
struct THtmlParam {
    std::uint8_t ImageType = 0;
    std::string Title;
    std::int32_t NumOfCol = 0;
    std::int32_t Count = 0;
    std::string Prefix;
    std::string OutDirectory;
    std::string HtmlFileName;
    std::int32_t PopupWidth = 0;
    std::int32_t PopupHeight = 0;
};

// Writes the index page OutDirectory + HtmlFileName. Throws ErrorMessage.
void MakeHtml(const THtmlParam& param);

}  // namespace qm
