// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include <QDialog>

#include "app/Platform.h"
#include "app/window/UDlgExtended.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace qm {

// The dialog "拡張設定" over its model TfrmExtended: one check box per row
// of ExtendedRows() (ckbExtended<i>) and, for a row with a value, its
// control beside it, enabled with its check box: a text field
// (edtExtended<i>), a spin box (spnExtended<i>), a list (cmbExtended<i>),
// or for a repeat size the fields of its width (edtExtended<i>) and height
// (edtExtended<i>H) and the list of its units (cmbExtended<i>); a row
// without a check box is its caption and its list. OK closes
// only when the model accepts the values; otherwise the focus goes to the
// field of the row it refused, or to its check box while that is off.
class ExtendedDialog : public QDialog {
    Q_OBJECT

public:
    ExtendedDialog(TfrmExtended& model, Platform& platform, QWidget* parent);

    void accept() override;
    void reject() override;

private:
    // The controls of one row's value; null where the row has none of the
    // kind.
    struct ValueControls {
        QWidget* whole = nullptr;
        QLineEdit* text = nullptr;
        QLineEdit* height = nullptr;
        QSpinBox* spin = nullptr;
        QComboBox* list = nullptr;
    };

    ValueControls MakeValueControls(std::size_t row, int line);
    void KeepFields();

    TfrmExtended& model_;
    Platform& platform_;
    // Null for a row that is a list alone.
    std::vector<QCheckBox*> checks_;
    std::vector<ValueControls> values_;
};

}  // namespace qm
