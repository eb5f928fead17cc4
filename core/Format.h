// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace qm {

// One value for Format: a whole number (%d) or a text (%s).
class FormatArg {
public:
    FormatArg(int value) : value_(static_cast<std::int64_t>(value)) {}
    FormatArg(long value) : value_(static_cast<std::int64_t>(value)) {}
    FormatArg(long long value) : value_(static_cast<std::int64_t>(value)) {}
    FormatArg(unsigned value) : value_(static_cast<std::int64_t>(value)) {}
    FormatArg(const char* text) : value_(std::string(text)) {}
    FormatArg(std::string text) : value_(std::move(text)) {}
    FormatArg(std::string_view text) : value_(std::string(text)) {}

    const std::variant<std::int64_t, std::string>& Value() const { return value_; }

private:
    std::variant<std::int64_t, std::string> value_;
};

// Replaces the placeholders of pattern by the values in order: %s a text,
// %d a decimal number, %.Nd (also %.0Nd) a number of at least N digits
// padded with zeros, %% a percent sign. %N$d and %N$s take the N-th value
// (from 1) instead of the next one. A placeholder without a value, or
// of the wrong kind, throws ErrorMessage.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace qm
