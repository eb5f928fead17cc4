// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include <QDialog>

#include "app/Platform.h"
#include "app/window/UDlgExtended.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qm {

// The dialog "拡張設定" over its model TfrmExtended: one check box per row
// of ExtendedRows() (ckbExtended<i>) and, for a row with a value, a text
// field beside it (edtExtended<i>), enabled with its check box; for a row
// with choices its caption and a list (cmbExtended<i>) instead. OK closes
// only when the model accepts the values.
class ExtendedDialog : public QDialog {
    Q_OBJECT

public:
    ExtendedDialog(TfrmExtended& model, Platform& platform, QWidget* parent);

    void accept() override;
    void reject() override;

private:
    void KeepFields();

    TfrmExtended& model_;
    Platform& platform_;
    // Null for a row with choices.
    std::vector<QCheckBox*> checks_;
    // Null for a row without a value.
    std::vector<QLineEdit*> fields_;
    // Null for a row without choices.
    std::vector<QComboBox*> lists_;
};

}  // namespace qm
