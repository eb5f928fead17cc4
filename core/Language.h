// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

inline constexpr const char* kTextDomain = "quillmore";

// The catalogues' folder seen from the executable's: share/locale beside
// bin/ when installed, and the same layout in the build tree.
inline constexpr const char* kCatalogueFolder = "../share/locale";

// Chooses the language of every text from the user's locale, as gettext
// does (LANGUAGE, LC_ALL, LC_MESSAGES, LANG): the C and POSIX locales
// (C.UTF-8 and the like included) and Japanese keep the texts as written;
// any other locale gets its own catalogue when one exists and English
// otherwise. Call once at start, before the first text is looked up and
// after anything that sets the process locale (the Qt application does).
void ChooseLanguage(const std::string& executableFolder);

// The language of the catalogue in use ("en"), or "ja" when the texts are
// shown as written.
std::string ShownLanguage();

}  // namespace qm
