// SPDX-License-Identifier: MIT
#include "gui/DialogButtons.h"

#include <QApplication>
#include <QStyle>

#include "core/Translate.h"

namespace qm {

DialogButtons MakeDialogButtons(const char* okName, const char* cancelName)
{
    QStyle* style = QApplication::style();
    auto* ok = new QPushButton(style->standardIcon(QStyle::SP_DialogOkButton),
                               QString::fromUtf8(T("了解(&O)")));
    ok->setObjectName(QString::fromLatin1(okName));
    ok->setDefault(true);
    auto* cancel = new QPushButton(style->standardIcon(QStyle::SP_DialogCancelButton),
                                   QString::fromUtf8(T("ｷｬﾝｾﾙ(&C)")));
    cancel->setObjectName(QString::fromLatin1(cancelName));
    for (QPushButton* button : {ok, cancel}) {
        button->setMinimumWidth(88);
    }
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return {ok, cancel, row};
}

}  // namespace qm
