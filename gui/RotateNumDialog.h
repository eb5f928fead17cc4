// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "app/window/UDlgRotateNum.h"

class QLineEdit;

namespace qm {

// The dialog "歪四角の設定" over its model TfrmRotateNum: OK closes only
// when the model takes the value.
class RotateNumDialog : public QDialog {
    Q_OBJECT

public:
    RotateNumDialog(TfrmRotateNum& model, MessageBoxes& boxes, QWidget* parent);

    void accept() override;
    void reject() override;

private:
    TfrmRotateNum& model_;
    MessageBoxes& boxes_;
    QLineEdit* edtVal_;
};

}  // namespace qm
