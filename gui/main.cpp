// SPDX-License-Identifier: MIT
#include <QApplication>

#include "app/CleanStop.h"
#include "core/ExecutableFolder.h"
#include "core/Language.h"
#include "gui/CommandLine.h"
#include "gui/DesktopApp.h"

int main(int argc, char* argv[])
{
    qm::InstallCleanStop();
    QApplication application(argc, argv);
    qm::ChooseLanguage(qm::ExecutableFolder());
    qm::SetUpApplication();
    const std::optional<std::string> picture = qm::PictureArgument(QApplication::arguments());
    qm::DesktopApp desktop;
    desktop.Window().show();
    if (picture) {
        desktop.Window().TakeFiles({*picture});
    }
    return QApplication::exec();
}
