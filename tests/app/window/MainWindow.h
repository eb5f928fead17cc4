// SPDX-License-Identifier: MIT
#pragma once

#include "RecordingPlatform.h"
#include "app/window/Main.h"
#include "app/window/UDlgHtml.h"

namespace qm {

// The main window model as the program starts it, on a recording platform.
struct MainWindow {
    RecordingPlatform platform;
    TfrmHtml frmHtml;
    TfrmMain main{platform, frmHtml};

    MainWindow() { main.FormCreate(); }

    const std::string& Text(ControlId control) const { return main.State(control).text; }
    bool Enabled(ControlId control) const { return main.State(control).enabled; }
    bool Checked(ControlId control) const { return main.State(control).checked; }
};

// Positions of the method list.
inline constexpr int kKaleidoscopeItem = 0;
inline constexpr int kFloralItem = 4;
inline constexpr int kDistortedSquareItem = 5;
inline constexpr int kRectangleItem = 6;
inline constexpr int kNoConversionItem = 7;

}  // namespace qm
