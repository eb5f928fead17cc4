// SPDX-License-Identifier: MIT
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace qm {

// libjpeg reports a fatal error through error_exit, which by default ends
// the process. This manager jumps back to Jump instead; warnings are not
// printed. The functions that set Jump hold no C++ objects with destructors,
// so the jump skips nothing that would need cleaning up.
struct JpegErrorManager {
    jpeg_error_mgr Base;  // first, so libjpeg's pointer converts back
    std::jmp_buf Jump;
};

// Fills manager and returns the pointer to store in the codec's err field.
jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager);

// Throws ErrorMessage("JPEG エラー #<code>") with libjpeg's message number.
[[noreturn]] void ThrowJpegError(int code);

}  // namespace qm
