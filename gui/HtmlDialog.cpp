// SPDX-License-Identifier: MIT
#include "gui/HtmlDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/window/TopLevelHandler.h"
#include "gui/DialogButtons.h"
#include "core/Translate.h"

namespace qm {
namespace {

constexpr int kNumberWidth = 56;

QLabel* Caption(const char* text)
{
    return new QLabel(QString::fromUtf8(text));
}

}  // namespace

HtmlDialog::HtmlDialog(TfrmHtml& model, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      platform_(platform),
      edtTitle_(Field("edtTitle", model.edtTitle)),
      edtNumOfCol_(Field("edtNumOfCol", model.edtNumOfCol)),
      edtSizeWidth_(Field("edtSizeWidth", model.edtSizeWidth)),
      edtSizeHeight_(Field("edtSizeHeight", model.edtSizeHeight)),
      edtFileName_(Field("edtFileName", model.edtFileName))
{
    setObjectName(QStringLiteral("frmHtml"));
    setWindowTitle(QString::fromUtf8(T("HTML出力の設定")));
    edtNumOfCol_->setFixedWidth(kNumberWidth);
    edtSizeWidth_->setFixedWidth(kNumberWidth);
    edtSizeHeight_->setFixedWidth(kNumberWidth);

    auto* popupSize = new QHBoxLayout;
    popupSize->setSpacing(6);
    popupSize->addSpacing(16);
    popupSize->addWidget(Caption(T("幅")));
    popupSize->addWidget(edtSizeWidth_);
    popupSize->addSpacing(16);
    popupSize->addWidget(Caption(T("高さ")));
    popupSize->addWidget(edtSizeHeight_);
    popupSize->addStretch(1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(Caption(T("タイトル")), 0, 0);
    grid->addWidget(edtTitle_, 0, 1);
    grid->addWidget(Caption(T("1行あたりの画像数")), 1, 0);
    grid->addWidget(edtNumOfCol_, 1, 1, Qt::AlignLeft);
    grid->addWidget(Caption(T("ポップアップウィンドウのサイズ")), 2, 0, 1, 2);
    grid->addLayout(popupSize, 3, 0, 1, 2);
    grid->addWidget(Caption(T("ファイル名")), 4, 0);
    grid->addWidget(edtFileName_, 4, 1);
    grid->setColumnMinimumWidth(1, 200);

    const DialogButtons buttons = MakeDialogButtons("BitBtn1", "BitBtn2");
    connect(buttons.ok, &QPushButton::clicked, this, &HtmlDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &HtmlDialog::reject);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(12, 12, 12, 10);
    whole->setSpacing(12);
    whole->addLayout(grid);
    whole->addLayout(buttons.row);
    whole->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(edtTitle_, edtNumOfCol_);
    setTabOrder(edtNumOfCol_, edtSizeWidth_);
    setTabOrder(edtSizeWidth_, edtSizeHeight_);
    setTabOrder(edtSizeHeight_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
    setTabOrder(buttons.cancel, edtFileName_);
    edtTitle_->setFocus();
}

QLineEdit* HtmlDialog::Field(const char* name, const std::string& text)
{
    auto* field = new QLineEdit(QString::fromStdString(text));
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

void HtmlDialog::KeepTexts()
{
    model_.edtTitle = edtTitle_->text().toStdString();
    model_.edtNumOfCol = edtNumOfCol_->text().toStdString();
    model_.edtSizeWidth = edtSizeWidth_->text().toStdString();
    model_.edtSizeHeight = edtSizeHeight_->text().toStdString();
    model_.edtFileName = edtFileName_->text().toStdString();
}

void HtmlDialog::accept()
{
    KeepTexts();
    RunUserAction(platform_, [this] {
        if (model_.OkClick(platform_)) {
            QDialog::accept();
        }
    });
}

void HtmlDialog::reject()
{
    KeepTexts();
    model_.CancelClick();
    QDialog::reject();
}

}  // namespace qm
