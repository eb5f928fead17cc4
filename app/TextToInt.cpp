// SPDX-License-Identifier: MIT
#include "app/TextToInt.h"

#include <limits>

#include "core/Format.h"
#include "core/Translate.h"

namespace qm {

std::optional<std::int32_t> TextToInt(const std::string& text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    // Accumulate the magnitude; one more than INT32_MAX is allowed only
    // for a negative number.
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string NotAnIntegerMessage(const std::string& text)
{
    return Format(T("'%s' は整数ではありません"), {text});
}

}  // namespace qm
