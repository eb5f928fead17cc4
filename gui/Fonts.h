// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace qm {

// The font of every window of the program: "ＭＳ Ｐゴシック" at 12 pixels;
// where that face is missing, the Japanese Gothic faces of the Linux desktop
// (IPAPGothic, then Noto Sans CJK JP) stand in.
QFont ProgramFont();

// Makes ProgramFont the application's default font.
void UseProgramFont();

}  // namespace qm
