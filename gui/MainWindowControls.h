// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>

#include "app/Controls.h"

class QWidget;

namespace qm {

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(ControlId::bbnHelp) + 1;

// The widgets of the main window by control, each named after its control
// (objectName), created in tab order and laid out in their groups.
using ControlWidgets = std::array<QWidget*, kControlCount>;

// Creates every group and control of the main window inside window, laid
// out and in tab order. Captions, tooltips and length limits come from the
// window's model when the view first shows it.
ControlWidgets BuildMainWindowControls(QWidget* window);

// Object names of the two buttons of the button row that only the view
// knows: they open the preview window and the extended-settings dialog.
inline constexpr const char* kPreviewButton = "bbnPreview";
inline constexpr const char* kExtendedButton = "bbnExtended";

inline QWidget* WidgetOf(const ControlWidgets& widgets, ControlId control)
{
    return widgets[static_cast<std::size_t>(control)];
}

}  // namespace qm
