// SPDX-License-Identifier: MIT
#include "plugin/PluginHostFailure.h"

#include <cstring>

#include "core/Format.h"
#include "core/Translate.h"
#include "plugin/HostProtocol.h"

namespace qm {

PluginHostFailure PluginHostFailure::Signal(int signal)
{
    const char* abbreviation = sigabbrev_np(signal);
    if (abbreviation == nullptr) {
        return PluginHostFailure(Format(T("シグナル[%d]"), {signal}));
    }
    return PluginHostFailure(Format(T("シグナル[%d SIG%s]"), {signal, abbreviation}));
}

PluginHostFailure PluginHostFailure::Exit(int status)
{
    return PluginHostFailure(Format(T("終了コード[%d]"), {status}));
}

PluginHostFailure PluginHostFailure::Garbage()
{
    return PluginHostFailure(T("応答が不正です"));
}

PluginHostFailure PluginHostFailure::OutOfMemory()
{
    return PluginHostFailure(Format(T("メモリ不足[%dMiB]"), {host::kAddressSpaceMiB}));
}

PluginHostFailure PluginHostFailure::Timeout(std::chrono::seconds limit)
{
    return PluginHostFailure(Format(T("時間切れ[%d秒]"), {static_cast<long long>(limit.count())}));
}

PluginHostFailure PluginHostFailure::NotStarted(const std::string& path)
{
    return PluginHostFailure(Format(T("ファイル[%s]"), {path}));
}

}  // namespace qm
