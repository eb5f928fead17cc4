// SPDX-License-Identifier: MIT
#pragma once

#include "app/Platform.h"

namespace qm {

// The help button: opens Wodnu.html with the desktop's default handler,
// from the folder of the program's executable or, failing that, from
// ../share/quillmore/ beside it, where an installed copy keeps it. In
// another language than Japanese, Wodnu.<language>.html is looked for in
// both places first. Shows an error box when the executable's folder cannot
// be reached or the desktop finds no such file.
void OpenHelpPage(Platform& platform);

}  // namespace qm
