#pragma once

#include "app/Platform.h"

namespace qm {

// The help button: opens Wodnu.html, which lies in the folder of the
// program's executable, with the desktop's default handler. Shows an error
// box when that folder cannot be reached or the desktop finds no such file.
void OpenHelpPage(Platform& platform);

}  // namespace qm
