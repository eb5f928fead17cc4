// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "app/ExtendedSettings.h"
#include "core/MessageBoxes.h"

namespace qm {

// The model of the extended-settings dialog "拡張設定", one check box and,
// for a setting with a value, one text field per row of ExtendedRows(), or
// one list for a row with choices. It
// lives as long as the program: the texts of its fields survive between
// openings, and OK stores into the settings the main window's model owns.
class TfrmExtended {
public:
    // What one row's controls show.
    struct Field {
        bool Checked = false;
        std::string Text;
        // The position of the chosen item of a row with choices.
        int Choice = 0;
    };

    explicit TfrmExtended(ExtendedSettings& settings);

    // The fields in the order of ExtendedRows(), as the user edits them.
    std::vector<Field> Fields;

    // Shows the stored check states and choices; the texts stay as last
    // typed.
    void Open();
    // OK: judges the value of every checked row with a value, in row order;
    // at the first refusal shows its message in an error box and returns
    // false with nothing stored; so too when both colour tags and keeping
    // the profile are checked. Otherwise stores every check state, those
    // values and the choices and returns true.
    bool OkClick(MessageBoxes& boxes);
    // Cancel: stores nothing.
    void CancelClick() {}

private:
    ExtendedSettings& settings_;
};

}  // namespace qm
