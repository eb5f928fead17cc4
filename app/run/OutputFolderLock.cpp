// SPDX-License-Identifier: MIT
#include "app/run/OutputFolderLock.h"

#include <cerrno>

#include "core/ErrorText.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {

OutputFolderLock::OutputFolderLock(Platform& platform, const std::string& outDirectory)
    : lock_(outDirectory.empty() ? "." : outDirectory)
{
    if (lock_.Error() == EWOULDBLOCK) {
        platform.ShowErrorBox(T("出力フォルダは別の作成が使用中です"));
        throw SilentStop();
    }
    if (lock_.Error() != 0) {
        platform.Warn(Format(T("出力フォルダをロックできないため、ロックせずに作成します (%s)"),
                             {SystemErrorText(lock_.Error())}));
    }
}

}  // namespace qm
