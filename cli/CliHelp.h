// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

// The text of quillmore-cli --help in the language of the run: the options
// of the option table under their groups' headings, each with its default,
// then the rules for combining them, the exit status and an example.
std::string CliHelp();

}  // namespace qm
