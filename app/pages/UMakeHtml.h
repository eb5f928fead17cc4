// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "app/RunSettings.h"

namespace qm {

// What the main window hands to the HTML step: the settings of the page
// and the tiles it shows.
struct THtmlParam : HtmlPageSettings {
    std::uint8_t ImageType = 0;
    std::int32_t Count = 0;
    std::string Prefix;
    std::string OutDirectory;
};

// Writes the index page OutDirectory + HtmlFileName. Throws ErrorMessage.
void MakeHtml(const THtmlParam& param);

}  // namespace qm
