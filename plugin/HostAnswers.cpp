// SPDX-License-Identifier: MIT
#include "plugin/HostAnswers.h"

#include "plugin/HostProtocol.h"
#include "plugin/PluginHostFailure.h"

namespace qm {

HostAnswers::HostAnswers(std::vector<std::int32_t> values) : values_(std::move(values))
{
    Expect(host::kAnswerMagic);
}

std::int32_t HostAnswers::Next()
{
    if (next_ >= values_.size()) {
        throw PluginHostFailure::Garbage();
    }
    return values_[next_++];
}

void HostAnswers::Expect(std::int32_t tag)
{
    if (Next() != tag) {
        throw PluginHostFailure::Garbage();
    }
}

void HostAnswers::ExpectEnd()
{
    Expect(host::kEnd);
    if (next_ != values_.size()) {
        throw PluginHostFailure::Garbage();
    }
}

}  // namespace qm
