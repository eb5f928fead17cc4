// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/ExtendedSettings.h"
#include "core/MessageBoxes.h"

namespace qm {

// The model of the extended-settings dialog "拡張設定", one check box and,
// for a setting with a value, its field per row of ExtendedRows(), or one
// list alone for a row without a check box. It
// lives as long as the program: the texts of its fields survive between
// openings, and OK stores into the settings the main window's model owns.
class TfrmExtended {
public:
    // What one row's controls show.
    struct Field {
        bool Checked = false;
        std::string Text;
    };

    explicit TfrmExtended(ExtendedSettings& settings);

    // The fields in the order of ExtendedRows(), as the user edits them.
    std::vector<Field> Fields;

    // Shows the stored check states and lists; the texts stay as last
    // typed.
    void Open();
    // OK: judges the value of every checked row with a value (and of every
    // list), in row order, then the settings together (RefuseTogether); at
    // the first refusal shows its message in an error box and returns false
    // with nothing stored, RefusedRow() the row whose field takes the focus.
    // Otherwise stores every check state and those values and returns true.
    bool OkClick(MessageBoxes& boxes);
    std::size_t RefusedRow() const { return refusedRow_; }
    // Cancel: stores nothing.
    void CancelClick() {}

private:
    ExtendedSettings& settings_;
    std::size_t refusedRow_ = 0;
};

}  // namespace qm
