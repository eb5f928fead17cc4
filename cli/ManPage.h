// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The manual page of quillmore-cli in the language of the run, from its
// hand-written parts: page is the whole page in troff with a line
// "@OPTIONS@" where the options go and "@VERSION@" for the version;
// details holds, for some options, the paragraphs that follow the option's
// line of help, each block opened by a line "@--name". Throws
// std::out_of_range for a block of an option the table lacks and
// std::invalid_argument for a page without its markers.
std::string ManPage(const std::string& page, const std::string& details);

}  // namespace qm
