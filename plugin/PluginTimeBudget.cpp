// SPDX-License-Identifier: MIT
#include "plugin/PluginTimeBudget.h"

#include <algorithm>

namespace qm {
namespace {

thread_local PluginTimeBudget* open = nullptr;

}  // namespace

PluginTimeBudget::PluginTimeBudget(std::chrono::seconds limit)
    : limit_(limit), left_(limit), outer_(open)
{
    open = this;
}

PluginTimeBudget::~PluginTimeBudget()
{
    open = outer_;
}

PluginTimeBudget* PluginTimeBudget::Open()
{
    return open;
}

void PluginTimeBudget::Spend(Duration used)
{
    left_ = std::max(Duration::zero(), left_ - used);
}

}  // namespace qm
