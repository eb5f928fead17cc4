// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// Converts UTF-8 text to code page 932 (Shift_JIS with the Windows
// extensions), the encoding of the HTML index page. A character that code
// page 932 cannot hold (or a byte that is not UTF-8) throws ErrorMessage
// naming the character; nothing is substituted.
std::string ToCp932(const std::string& utf8);

}  // namespace qm
