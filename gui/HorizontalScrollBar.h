// SPDX-License-Identifier: MIT
#pragma once

#include <QScrollBar>

namespace qm {

// A horizontal scroll bar whose keys move it as the user expects from a
// left-to-right bar: Left and Up one step down, Right and Down one step up,
// Page Up and Page Down a large step, Home and End to the ends.
class HorizontalScrollBar : public QScrollBar {
public:
    HorizontalScrollBar() : QScrollBar(Qt::Horizontal) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qm
