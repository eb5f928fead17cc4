// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "plugin/PluginTimeBudget.h"

namespace qm {

// The plug-in host program for a program in the folder: beside it, or else
// in ../libexec/quillmore/ from there; the path beside it when neither
// exists.
std::filesystem::path FindPluginHost(const std::filesystem::path& programFolder);

// Starts the plug-in host found for this program with the arguments (see
// plugin/HostProtocol.h) in a process group of its own, waits for it to end
// within the time left of the budget open on this thread (or of a budget of
// timeLimit when none is open) and returns what it wrote. Throws
// PluginHostFailure when it could not be started, died by a signal, ended
// with a status other than 0 or before it answered, wrote something that
// is no whole answer, ran out of memory, or had not ended in time. On
// every way out the host's group is killed (what the library started and
// left running goes with it) and the host reaped.
std::vector<std::int32_t> RunPluginHost(const std::vector<std::string>& arguments,
                                        std::chrono::seconds timeLimit);

}  // namespace qm
