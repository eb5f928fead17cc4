// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

namespace qm {

// The about box "ﾊﾞｰｼﾞｮﾝ情報": the application's icon, its title and
// version on two centred lines, a small tile made by the program, and one
// OK button. Centred on the screen, fixed size.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace qm
