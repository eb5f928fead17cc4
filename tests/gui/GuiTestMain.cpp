// SPDX-License-Identifier: MIT
#include <QApplication>
#include <gtest/gtest.h>

#include "core/Language.h"
#include "gui/DesktopApp.h"

// The desktop tests drive the real windows on a display (Xvfb under ctest).
int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    // The program's folder of the build, beside whose ../share/locale the
    // catalogues lie.
    qm::ChooseLanguage(QM_PROGRAM_FOLDER);
    qm::SetUpApplication();
    return RUN_ALL_TESTS();
}
