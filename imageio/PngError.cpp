// SPDX-License-Identifier: MIT
#include "imageio/PngError.h"

#include <cstdio>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {

void PngErrorJump(png_structp png, png_const_charp message)
{
    auto* error = static_cast<PngErrorText*>(png_get_error_ptr(png));
    std::snprintf(error->Text, sizeof error->Text, "%s", message ? message : "");
    png_longjmp(png, 1);
}

void PngIgnoreWarning(png_structp, png_const_charp) {}

void ThrowPngError(const std::string& text)
{
    throw ErrorMessage(Format(T("PNG エラー: %s"), {text}));
}

}  // namespace qm
