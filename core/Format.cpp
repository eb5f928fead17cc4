// SPDX-License-Identifier: MIT
#include "core/Format.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/Errors.h"

namespace qm {
namespace {

[[noreturn]] void BadFormat(std::string_view pattern)
{
    throw ErrorMessage("Format '" + std::string(pattern) + "' invalid or incompatible with argument");
}

std::string Decimal(std::int64_t value, std::size_t minDigits)
{
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0u - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < minDigits) {
        digits.insert(0, minDigits - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= pattern.size()) {
            BadFormat(pattern);
        }
        if (pattern[i] == '%') {
            out += '%';
            continue;
        }
        // %N$d and %N$s name their value by its position (from 1), so that a
        // translation may put the values in another order or show one twice.
        const std::size_t digitsEnd = pattern.find_first_not_of("0123456789", i);
        const bool positional = digitsEnd != std::string_view::npos && digitsEnd > i &&
                                pattern[digitsEnd] == '$';
        std::size_t position = 0;
        if (positional) {
            for (; i < digitsEnd; ++i) {
                position = std::min(position * 10 + static_cast<std::size_t>(pattern[i] - '0'),
                                    args.size() + 1);
            }
            ++i;
        }
        std::size_t precision = 0;
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            while (i < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[i]))) {
                precision = precision * 10 + static_cast<std::size_t>(pattern[i] - '0');
                ++i;
            }
        }
        if (i >= pattern.size() ||
            (positional ? position == 0 || position > args.size() : next == args.end())) {
            BadFormat(pattern);
        }
        const auto& value = positional ? (args.begin() + (position - 1))->Value() : (next++)->Value();
        if (pattern[i] == 'd' && std::holds_alternative<std::int64_t>(value)) {
            out += Decimal(std::get<std::int64_t>(value), precision);
        } else if (pattern[i] == 's' && std::holds_alternative<std::string>(value)) {
            out += std::get<std::string>(value);
        } else {
            BadFormat(pattern);
        }
    }
    return out;
}

}  // namespace qm
