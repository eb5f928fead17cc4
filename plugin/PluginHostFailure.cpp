// SPDX-License-Identifier: MIT
#include "plugin/PluginHostFailure.h"

#include <cstring>

#include "core/Format.h"

namespace qm {

PluginHostFailure PluginHostFailure::Signal(int signal)
{
    const char* abbreviation = sigabbrev_np(signal);
    if (abbreviation == nullptr) {
        return PluginHostFailure(Format("シグナル[%d]", {signal}));
    }
    return PluginHostFailure(Format("シグナル[%d SIG%s]", {signal, abbreviation}));
}

PluginHostFailure PluginHostFailure::Exit(int status)
{
    return PluginHostFailure(Format("終了コード[%d]", {status}));
}

PluginHostFailure PluginHostFailure::Garbage()
{
    return Exit(0);
}

PluginHostFailure PluginHostFailure::Timeout(std::chrono::seconds limit)
{
    return PluginHostFailure(Format("時間切れ[%d秒]", {static_cast<long long>(limit.count())}));
}

PluginHostFailure PluginHostFailure::NotStarted(const std::string& path)
{
    return PluginHostFailure(Format("ファイル[%s]", {path}));
}

}  // namespace qm
