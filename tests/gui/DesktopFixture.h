// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gui/DesktopApp.h"
#include "ModalAnswerer.h"

namespace qm::test {

// A freshly started desktop program with its main window shown and active,
// a temporary folder, and a watchdog that ends a test that hangs.
class DesktopFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QWidget* Widget(ControlId control) { return app_->Window().Control(control); }
    QLineEdit* Edit(ControlId control) { return qobject_cast<QLineEdit*>(Widget(control)); }
    QAbstractButton* Button(ControlId control)
    {
        return qobject_cast<QAbstractButton*>(Widget(control));
    }
    QComboBox* Methods() { return qobject_cast<QComboBox*>(Widget(ControlId::cmbTransMethod)); }
    QScrollBar* QualityBar() { return qobject_cast<QScrollBar*>(Widget(ControlId::srbQuality)); }

    // The control that has the keyboard focus in the main window.
    QWidget* Focused() { return app_->Window().focusWidget(); }
    // Clicks like a user does, with the mouse on the widget's centre.
    void Click(ControlId control);
    // Replaces the text of a field by typing, as a user does.
    void Type(ControlId control, const QString& text);
    // Writes a picture of the given size as a PNG file in the temporary
    // folder and returns its path.
    QString WritePicture(const QString& name, int width, int height);
    // The path of a file in the temporary folder.
    QString Temp(const QString& name) const { return folder_.filePath(name); }

    std::unique_ptr<DesktopApp> app_;
    QTemporaryDir folder_;
};

}  // namespace qm::test
