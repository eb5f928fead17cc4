// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

// Reads the answer of the plug-in host value by value. Anything that does
// not follow plugin/HostProtocol.h (a wrong start, a value missing, a wrong
// tag, something after the end) throws PluginHostFailure::Garbage().
class HostAnswers {
public:
    explicit HostAnswers(std::vector<std::int32_t> values);

    std::int32_t Next();
    // The next value must be the tag.
    void Expect(std::int32_t tag);
    // The answer must end here.
    void ExpectEnd();

private:
    std::vector<std::int32_t> values_;
    std::size_t next_ = 0;
};

}  // namespace qm
