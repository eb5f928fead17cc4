// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qm {

// How long the host may take for everything one check or one run's
// preparation asks of a library, the whole table included.
inline constexpr std::chrono::seconds kPluginTimeLimit{10};

// The plug-in host program for a program in the folder: beside it, or else
// in ../libexec/quillmore/ from there; the path beside it when neither
// exists.
std::filesystem::path FindPluginHost(const std::filesystem::path& programFolder);

// Starts the plug-in host found for this program with the arguments (see
// plugin/HostProtocol.h), waits for it to end within the time limit and
// returns what it wrote. Throws PluginHostFailure when it could not be
// started, died by a signal, ended with a status other than 0, wrote
// something that is no whole answer, or had not ended in time; a host out
// of time is killed. The host is reaped on every way out.
std::vector<std::int32_t> RunPluginHost(const std::vector<std::string>& arguments,
                                        std::chrono::seconds timeLimit);

}  // namespace qm
