// SPDX-License-Identifier: MIT
#include "gui/ExtendedDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/ExtendedRows.h"
#include "core/RepeatSizeText.h"
#include "app/TextToInt.h"
#include "app/window/TopLevelHandler.h"
#include "gui/DialogButtons.h"
#include "core/Translate.h"

namespace qm {
namespace {

QLineEdit* TextField(const std::string& text, int maxLength, const QString& name)
{
    auto* field = new QLineEdit(QString::fromStdString(text));
    field->setObjectName(name);
    field->setMaxLength(maxLength);
    return field;
}

}  // namespace

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
        if (rows[i].Checked == nullptr) {
            // A list alone, with its caption.
            ValueControls value = MakeValueControls(i, line);
            auto* caption = new QLabel(QString::fromStdString(rows[i].Caption));
            caption->setBuddy(value.whole);
            caption->setToolTip(QString::fromStdString(rows[i].Tooltip));
            value.whole->setToolTip(QString::fromStdString(rows[i].Tooltip));
            grid->addWidget(caption, line, 0);
            grid->addWidget(value.whole, line, 1);
            checks_.push_back(nullptr);
            values_.push_back(value);
            continue;
        }
        auto* check = new QCheckBox(QString::fromStdString(rows[i].Caption));
        check->setObjectName(QStringLiteral("ckbExtended%1").arg(line));
        check->setChecked(model_.Fields[i].Checked);
        check->setToolTip(QString::fromStdString(rows[i].Tooltip));
        grid->addWidget(check, line, 0);
        checks_.push_back(check);
        ValueControls value;
        if (rows[i].HasValue()) {
            value = MakeValueControls(i, line);
            value.whole->setEnabled(check->isChecked());
            connect(check, &QCheckBox::toggled, value.whole, &QWidget::setEnabled);
            value.whole->setToolTip(QString::fromStdString(rows[i].Tooltip));
            grid->addWidget(value.whole, line, 1);
            if (!rows[i].Unit.empty()) {
                grid->addWidget(new QLabel(QString::fromStdString(rows[i].Unit)), line, 2);
            }
        }
        values_.push_back(value);
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

ExtendedDialog::ValueControls ExtendedDialog::MakeValueControls(std::size_t row, int line)
{
    const ExtendedRow& settings = ExtendedRows()[row];
    const std::string& text = model_.Fields[row].Text;
    const QString field = QStringLiteral("edtExtended%1").arg(line);
    const QString list = QStringLiteral("cmbExtended%1").arg(line);
    ValueControls value;
    switch (settings.Kind) {
    case ExtendedValueKind::Text:
        value.text = TextField(text, settings.ValueMaxLength, field);
        value.whole = value.text;
        break;
    case ExtendedValueKind::Spin:
        value.spin = new QSpinBox;
        value.spin->setObjectName(QStringLiteral("spnExtended%1").arg(line));
        value.spin->setRange(settings.Min, settings.Max);
        value.spin->setValue(TextToInt(text).value_or(settings.Min));
        value.whole = value.spin;
        break;
    case ExtendedValueKind::Choice:
        value.list = new QComboBox;
        value.list->setObjectName(list);
        for (const ExtendedChoice& choice : settings.Choices) {
            value.list->addItem(QString::fromStdString(choice.Caption),
                                QString::fromStdString(choice.Value));
        }
        value.list->setCurrentIndex(std::max(0, value.list->findData(QString::fromStdString(text))));
        value.whole = value.list;
        break;
    case ExtendedValueKind::RepeatSize: {
        const RepeatSizeFields parts = SplitRepeatSize(text);
        value.text = TextField(parts.Width, settings.ValueMaxLength, field);
        value.height = TextField(parts.Height, settings.ValueMaxLength, field + QStringLiteral("H"));
        value.list = new QComboBox;
        value.list->setObjectName(list);
        for (const char* unit : {"px", "in", "cm"}) {
            value.list->addItem(QString::fromLatin1(unit), QString::fromLatin1(unit));
        }
        value.list->setCurrentIndex(value.list->findData(QString::fromStdString(parts.Unit)));
        value.whole = new QWidget;
        auto* fields = new QHBoxLayout(value.whole);
        fields->setContentsMargins(0, 0, 0, 0);
        fields->setSpacing(4);
        fields->addWidget(value.text, 1);
        fields->addWidget(new QLabel(QStringLiteral("x")));
        fields->addWidget(value.height, 1);
        fields->addWidget(value.list);
        break;
    }
    }
    return value;
}

void ExtendedDialog::KeepFields()
{
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        model_.Fields[i].Checked = checks_[i] == nullptr || checks_[i]->isChecked();
        const ValueControls& value = values_[i];
        std::string& text = model_.Fields[i].Text;
        if (value.height != nullptr) {
            text = JoinRepeatSize({value.text->text().toStdString(), value.height->text().toStdString(),
                                   value.list->currentData().toString().toStdString()});
        } else if (value.text != nullptr) {
            text = value.text->text().toStdString();
        } else if (value.spin != nullptr) {
            text = std::to_string(value.spin->value());
        } else if (value.list != nullptr) {
            text = value.list->currentData().toString().toStdString();
        }
    }
}

void ExtendedDialog::accept()
{
    KeepFields();
    RunUserAction(platform_, [this] {
        if (model_.OkClick(platform_)) {
            QDialog::accept();
            return;
        }
        // The field of the row refused, or its check box while the field
        // is off (a dpi not given).
        const std::size_t row = model_.RefusedRow();
        const ValueControls& refused = values_[row];
        QWidget* field = refused.text != nullptr ? refused.text : refused.whole;
        const bool on = checks_[row] == nullptr || checks_[row]->isChecked();
        (field != nullptr && on ? field : checks_[row])->setFocus();
    });
}

void ExtendedDialog::reject()
{
    KeepFields();
    model_.CancelClick();
    QDialog::reject();
}

}  // namespace qm
