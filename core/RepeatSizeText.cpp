// SPDX-License-Identifier: MIT
#include "core/RepeatSizeText.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace qm {
namespace {

// A number above 0: digits, and a point with digits after it.
std::optional<double> ReadAmount(std::string_view text)
{
    const std::size_t point = text.find('.');
    const auto digits = [](std::string_view part) {
        return !part.empty() &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(text.substr(0, point)) ||
        (point != std::string_view::npos && !digits(text.substr(point + 1)))) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(value > 0)) {
        return std::nullopt;
    }
    return value;
}

bool SameLetters(std::string_view text, std::string_view lower)
{
    return text.size() == lower.size() &&
           std::equal(text.begin(), text.end(), lower.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
           });
}

}  // namespace

std::optional<RepeatSizeAsked> ParseRepeatSize(std::string_view text)
{
    if (text.size() < 3) {
        return std::nullopt;
    }
    RepeatSizeAsked asked;
    const std::string_view unit = text.substr(text.size() - 2);
    if (SameLetters(unit, "px")) {
        asked.Unit = RepeatUnit::Pixels;
    } else if (SameLetters(unit, "in")) {
        asked.Unit = RepeatUnit::Inches;
    } else if (SameLetters(unit, "cm")) {
        asked.Unit = RepeatUnit::Centimetres;
    } else {
        return std::nullopt;
    }
    const std::string_view sides = text.substr(0, text.size() - 2);
    const std::size_t by = sides.find_first_of("xX");
    const std::optional<double> width = ReadAmount(sides.substr(0, by));
    if (!width) {
        return std::nullopt;
    }
    asked.Width = *width;
    if (by != std::string_view::npos) {
        asked.Height = ReadAmount(sides.substr(by + 1));
        if (!asked.Height) {
            return std::nullopt;
        }
    }
    return asked;
}

RepeatSizeFields SplitRepeatSize(std::string_view text)
{
    RepeatSizeFields fields;
    if (text.size() >= 2) {
        const std::string_view unit = text.substr(text.size() - 2);
        for (const char* known : {"px", "in", "cm"}) {
            if (SameLetters(unit, known)) {
                fields.Unit = known;
                text.remove_suffix(2);
            }
        }
    }
    const std::size_t by = text.find_first_of("xX");
    fields.Width = std::string(text.substr(0, by));
    if (by != std::string_view::npos) {
        fields.Height = std::string(text.substr(by + 1));
    }
    return fields;
}

std::string JoinRepeatSize(const RepeatSizeFields& fields)
{
    return fields.Width + (fields.Height.empty() ? "" : "x" + fields.Height) + fields.Unit;
}

}  // namespace qm
