// SPDX-License-Identifier: MIT
#include "imageio/JpegError.h"

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {
namespace {

void JumpBack(j_common_ptr codec)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(codec->err)->Jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager)
{
    jpeg_error_mgr* base = jpeg_std_error(&manager.Base);
    base->error_exit = JumpBack;
    base->output_message = IgnoreMessage;
    return base;
}

void ThrowJpegError(int code)
{
    throw ErrorMessage(Format(T("JPEG エラー #%d"), {code}));
}

}  // namespace qm
