// SPDX-License-Identifier: MIT
#include "gui/ExtendedDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/ExtendedRows.h"
#include "app/window/TopLevelHandler.h"
#include "gui/DialogButtons.h"
#include "core/Translate.h"

namespace qm {

ExtendedDialog::ExtendedDialog(TfrmExtended& model, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      platform_(platform)
{
    setObjectName(QStringLiteral("frmExtended"));
    setWindowTitle(QString::fromUtf8(T("拡張設定")));
    model_.Open();

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int line = static_cast<int>(i);
        if (rows[i].HasChoices()) {
            auto* list = new QComboBox;
            list->setObjectName(QStringLiteral("cmbExtended%1").arg(line));
            for (const std::string& choice : rows[i].Choices) {
                list->addItem(QString::fromStdString(choice));
            }
            list->setCurrentIndex(model_.Fields[i].Choice);
            auto* caption = new QLabel(QString::fromStdString(rows[i].Caption));
            caption->setBuddy(list);
            caption->setToolTip(QString::fromStdString(rows[i].Tooltip));
            list->setToolTip(QString::fromStdString(rows[i].Tooltip));
            grid->addWidget(caption, line, 0);
            grid->addWidget(list, line, 1);
            checks_.push_back(nullptr);
            fields_.push_back(nullptr);
            lists_.push_back(list);
            continue;
        }
        auto* check = new QCheckBox(QString::fromStdString(rows[i].Caption));
        check->setObjectName(QStringLiteral("ckbExtended%1").arg(line));
        check->setChecked(model_.Fields[i].Checked);
        check->setToolTip(QString::fromStdString(rows[i].Tooltip));
        grid->addWidget(check, line, 0);
        checks_.push_back(check);
        QLineEdit* field = nullptr;
        if (rows[i].HasValue()) {
            field = new QLineEdit(QString::fromStdString(model_.Fields[i].Text));
            field->setObjectName(QStringLiteral("edtExtended%1").arg(line));
            field->setMaxLength(rows[i].ValueMaxLength);
            field->setEnabled(check->isChecked());
            connect(check, &QCheckBox::toggled, field, &QLineEdit::setEnabled);
            field->setToolTip(QString::fromStdString(rows[i].Tooltip));
            grid->addWidget(field, line, 1);
            if (!rows[i].Unit.empty()) {
                grid->addWidget(new QLabel(QString::fromStdString(rows[i].Unit)), line, 2);
            }
        }
        fields_.push_back(field);
        lists_.push_back(nullptr);
    }
    grid->setColumnMinimumWidth(1, 220);

    const DialogButtons buttons = MakeDialogButtons("BitBtn1", "BitBtn2");
    connect(buttons.ok, &QPushButton::clicked, this, &ExtendedDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &ExtendedDialog::reject);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(12, 12, 12, 10);
    whole->setSpacing(12);
    whole->addLayout(grid);
    whole->addLayout(buttons.row);
    whole->setSizeConstraint(QLayout::SetFixedSize);
}

void ExtendedDialog::KeepFields()
{
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        if (lists_[i] != nullptr) {
            model_.Fields[i].Choice = lists_[i]->currentIndex();
            continue;
        }
        model_.Fields[i].Checked = checks_[i]->isChecked();
        if (fields_[i] != nullptr) {
            model_.Fields[i].Text = fields_[i]->text().toStdString();
        }
    }
}

void ExtendedDialog::accept()
{
    KeepFields();
    RunUserAction(platform_, [this] {
        if (model_.OkClick(platform_)) {
            QDialog::accept();
        }
    });
}

void ExtendedDialog::reject()
{
    KeepFields();
    model_.CancelClick();
    QDialog::reject();
}

}  // namespace qm
