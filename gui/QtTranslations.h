// SPDX-License-Identifier: MIT
#pragma once

namespace qm {

// Loads Qt's own texts (file dialogs, standard buttons) in the language the
// program shows, when they are installed, so that every window of the
// program speaks one language. English needs none: it is Qt's own.
void UseQtTexts();

}  // namespace qm
