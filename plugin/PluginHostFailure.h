// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <exception>
#include <string>

namespace qm {

// The plug-in host did not answer: why, as the second line of the error
// report.
class PluginHostFailure : public std::exception {
public:
    // "シグナル[11 SIGSEGV]": the host died by the signal.
    static PluginHostFailure Signal(int signal);
    // "終了コード[3]": the host ended with the status before it answered.
    static PluginHostFailure Exit(int status);
    // "応答が不正です": the host ended normally, but what it wrote is no
    // answer.
    static PluginHostFailure Garbage();
    // "メモリ不足[4096MiB]": the library ran out of the host's address
    // space.
    static PluginHostFailure OutOfMemory();
    // "時間切れ[10秒]": the host had not ended within the limit.
    static PluginHostFailure Timeout(std::chrono::seconds limit);
    // "ファイル[path]": the host program could not be started.
    static PluginHostFailure NotStarted(const std::string& path);

    const std::string& Detail() const { return detail_; }
    const char* what() const noexcept override { return detail_.c_str(); }

private:
    explicit PluginHostFailure(std::string detail) : detail_(std::move(detail)) {}

    std::string detail_;
};

}  // namespace qm
