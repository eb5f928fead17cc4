// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "app/Platform.h"
#include "app/window/UDlgHtml.h"

class QLineEdit;

namespace qm {

// The dialog "HTML出力の設定" over its model TfrmHtml. The model keeps the
// texts of the fields between openings; OK closes only when the model
// accepts them. A failure of OK goes to the application's top-level handler
// and leaves the dialog open.
class HtmlDialog : public QDialog {
    Q_OBJECT

public:
    HtmlDialog(TfrmHtml& model, Platform& platform, QWidget* parent);

    void accept() override;
    // Cancel, Escape and the close box: the typed texts stay in the model's
    // fields, its stored values stay as they were.
    void reject() override;

private:
    QLineEdit* Field(const char* name, const std::string& text);
    void KeepTexts();

    TfrmHtml& model_;
    Platform& platform_;
    QLineEdit* edtTitle_;
    QLineEdit* edtNumOfCol_;
    QLineEdit* edtSizeWidth_;
    QLineEdit* edtSizeHeight_;
    QLineEdit* edtFileName_;
};

}  // namespace qm
