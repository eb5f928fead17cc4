// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <QMessageBox>

namespace qm {

// A modal box with one OK button over parent: the icon, the title and the
// text as plain text (line breaks of the program's messages kept). Returns
// when the user has closed it.
void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                    const std::string& text);

}  // namespace qm
