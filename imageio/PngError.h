// SPDX-License-Identifier: MIT
#pragma once

#include <png.h>

#include <string>

namespace qm {

// libpng's error callbacks. The error callback keeps libpng's reason in a
// PngErrorText (the error pointer given to png_create_*_struct) and jumps
// back to png_jmpbuf; warnings are dropped. The functions that set the jump
// target hold no C++ objects with destructors, so the jump skips nothing
// that would need cleaning up.
struct PngErrorText {
    char Text[200];
};

void PngErrorJump(png_structp png, png_const_charp message);
void PngIgnoreWarning(png_structp png, png_const_charp message);

// Throws ErrorMessage("PNG エラー: <text>").
[[noreturn]] void ThrowPngError(const std::string& text);

}  // namespace qm
