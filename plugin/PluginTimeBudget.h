// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>

namespace qm {

// How long the plug-in hosts of one action may run together.
inline constexpr std::chrono::seconds kPluginTimeLimit{10};

// The running time the plug-in hosts of one action share: the make action
// opens one, and the library check and the run's preparation both draw on
// it, so that a library holds the action no longer than the limit however
// many hosts it takes. A budget is open on the thread that made it for as
// long as it lives; every host that thread starts meanwhile draws on it.
// A host started with no budget open gets one of its own.
class PluginTimeBudget {
public:
    using Duration = std::chrono::steady_clock::duration;

    explicit PluginTimeBudget(std::chrono::seconds limit = kPluginTimeLimit);
    ~PluginTimeBudget();
    PluginTimeBudget(const PluginTimeBudget&) = delete;
    PluginTimeBudget& operator=(const PluginTimeBudget&) = delete;

    // The budget open on this thread, the one made last; null when none is.
    static PluginTimeBudget* Open();

    std::chrono::seconds Limit() const { return limit_; }
    // The running time not yet spent; never below zero.
    Duration Left() const { return left_; }
    void Spend(Duration used);

private:
    std::chrono::seconds limit_;
    Duration left_;
    PluginTimeBudget* outer_;
};

}  // namespace qm
