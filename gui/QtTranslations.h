// SPDX-License-Identifier: MIT
#pragma once

namespace qm {

// Loads Qt's own Japanese texts (file dialogs, standard buttons) when they
// are installed, so that every window of the program speaks Japanese.
void UseJapaneseQtTexts();

}  // namespace qm
