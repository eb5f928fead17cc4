// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// Marks a text kept in a table for the catalogue; the place that shows it
// passes it through T().
#define N_(text) text

namespace qm {

// Every text the program shows goes through T(): the Japanese text is the
// message id, and the catalogue of the chosen language (GNU gettext, domain
// "quillmore") gives its translation. Without a catalogue the id itself is
// shown, so the Japanese texts need no catalogue of their own.
const char* T(const char* japanese);
std::string T(const std::string& japanese);

}  // namespace qm
