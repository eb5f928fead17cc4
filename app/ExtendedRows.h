// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ExtendedSettings.h"

namespace qm {

// One row of the extended-settings dialog: a check box and, for a setting
// that takes a value, a text field beside it; or, for a setting chosen from
// a list, its caption and the list. The dialog and the command line both go
// through the row, so a value is judged in one place.
struct ExtendedRow {
    // Caption of the check box (of the list).
    std::string Caption;
    // The unit shown after the field (%, 段階, dpi), empty for none; and the
    // tooltip saying what the setting does and its range.
    std::string Unit;
    std::string Tooltip;
    // Null for a row with a list.
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

    // For a setting chosen from a list: the items in the list's order, the
    // position of the setting's item, and the store of an item's position.
    std::vector<std::string> Choices;
    std::function<int(const ExtendedSettings&)> ChoiceOf;
    std::function<void(ExtendedSettings&, int)> Choose;

    bool HasValue() const { return static_cast<bool>(StoreValue); }
    bool HasChoices() const { return !Choices.empty(); }
};

// The rows in the dialog's order, each setting in exactly one.
const std::vector<ExtendedRow>& ExtendedRows();

}  // namespace qm
