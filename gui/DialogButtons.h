// SPDX-License-Identifier: MIT
#pragma once

#include <QHBoxLayout>
#include <QPushButton>

namespace qm {

// The OK and Cancel pair of the small dialogs, "了解(&O)" and "ｷｬﾝｾﾙ(&C)",
// with their glyphs, right-aligned in a row; OK is the default button.
struct DialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};

DialogButtons MakeDialogButtons(const char* okName, const char* cancelName);

}  // namespace qm
