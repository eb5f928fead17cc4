// SPDX-License-Identifier: MIT
#include "gui/MessageBox.h"

namespace qm {

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                    const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

}  // namespace qm
