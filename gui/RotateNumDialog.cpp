// SPDX-License-Identifier: MIT
#include "gui/RotateNumDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/DialogButtons.h"
#include "core/Translate.h"

namespace qm {

RotateNumDialog::RotateNumDialog(TfrmRotateNum& model, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      boxes_(boxes),
      edtVal_(new QLineEdit(QString::fromStdString(model.edtVal)))
{
    setObjectName(QStringLiteral("frmRotateNum"));
    setWindowTitle(QString::fromUtf8(T("歪四角の設定")));
    edtVal_->setObjectName(QStringLiteral("edtVal"));
    edtVal_->setFixedWidth(56);

    auto* field = new QHBoxLayout;
    field->setSpacing(8);
    field->addWidget(new QLabel(QString::fromUtf8(T("変換値(2～20)"))));
    field->addWidget(edtVal_);
    field->addStretch(1);

    const DialogButtons buttons = MakeDialogButtons("bbnOK", "bbnCancel");
    connect(buttons.ok, &QPushButton::clicked, this, &RotateNumDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &RotateNumDialog::reject);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(16, 16, 12, 10);
    whole->setSpacing(16);
    whole->addLayout(field);
    whole->addLayout(buttons.row);
    whole->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(260);
    edtVal_->setFocus();
    edtVal_->selectAll();
}

void RotateNumDialog::accept()
{
    model_.edtVal = edtVal_->text().toStdString();
    if (model_.OkClick(boxes_)) {
        QDialog::accept();
    }
}

void RotateNumDialog::reject()
{
    model_.edtVal = edtVal_->text().toStdString();
    model_.CancelClick();
    QDialog::reject();
}

}  // namespace qm
