// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ExtendedSettings.h"

namespace qm {

// How the dialog shows a row's value: a text field, a spin box from Min to
// Max, a list of Choices, or the two fields of a repeat size's width and
// height with a list of its units (RepeatSize.h), the whole value one text.
enum class ExtendedValueKind { Text, Spin, Choice, RepeatSize };

// One choice of a list: the value as the command line names it, and its
// caption in the list.
struct ExtendedChoice {
    std::string Value;
    std::string Caption;
};

// One row of the extended-settings dialog: a check box and, for a setting
// that takes a value, its control beside it; a row without a check box is
// its caption and a list. The dialog and the command line both go through
// the row, so a value is judged in one place.
struct ExtendedRow {
    // Caption of the check box (of the list).
    std::string Caption;
    // The unit shown after the field (%, 段階, dpi), empty for none; and the
    // tooltip saying what the setting does and its range.
    std::string Unit;
    std::string Tooltip;
    // Null for a row that is a list alone, always on.
    bool ExtendedSettings::*Checked = nullptr;
    // For a setting with a value: the most characters its field takes, the
    // value as the field shows it, and the store, which judges a typed text
    // and stores it, or returns the message for a text it refuses and stores
    // nothing. Empty functions for a plain check box.
    int ValueMaxLength = 0;
    std::function<std::string(const ExtendedSettings&)> ValueText;
    std::function<std::optional<std::string>(ExtendedSettings&, const std::string&)> StoreValue;
    // For a setting whose value is a whole number: the number and its range.
    int ExtendedSettings::*Number = nullptr;
    int Min = 0;
    int Max = 0;
    ExtendedValueKind Kind = ExtendedValueKind::Text;
    // For a list: its choices in order.
    std::vector<ExtendedChoice> Choices;

    bool HasValue() const { return static_cast<bool>(StoreValue); }
};

// The rows in the dialog's order, each setting in exactly one.
const std::vector<ExtendedRow>& ExtendedRows();

// The position in ExtendedRows() of the row of a setting.
std::size_t ExtendedRowOf(bool ExtendedSettings::*checked);

// A refusal of settings whose rows each hold, but not together: the message
// and the row whose field the focus goes to.
struct ExtendedRefusal {
    std::string Message;
    std::size_t Row = 0;
};

// A repeat size in inches or centimetres needs a resolution: refused
// without the dpi ("解像度 (dpi) を指定して下さい", the focus on its field);
// the sRGB tag and the source's own profile exclude each other (the focus
// on the latter).
std::optional<ExtendedRefusal> RefuseTogether(const ExtendedSettings& settings);

}  // namespace qm
