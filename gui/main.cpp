// SPDX-License-Identifier: MIT
#include <QApplication>

#include "app/run/CleanStop.h"
#include "core/ExecutableFolder.h"
#include "core/Language.h"
#include "gui/CommandLine.h"
#include "gui/DesktopApp.h"
#include "plugin/HostGroups.h"

int main(int argc, char* argv[])
{
    qm::InstallCleanStop();
    // Before the application object, which needs a display.
    qm::AnswerInformationOptions(argc, argv);
    QApplication application(argc, argv);
    qm::ChooseLanguage(qm::ExecutableFolder());
    qm::SetUpApplication();
    const std::optional<std::string> picture = qm::PictureArgument(QApplication::arguments());
    qm::DesktopApp desktop;
    desktop.Window().show();
    if (picture) {
        desktop.Window().TakeFiles({*picture});
    }
    const int status = QApplication::exec();
    // A preview closed with the window may still wait for a plug-in host:
    // its group ends now, so the preview's end is not waited for.
    qm::KillHostGroups(false);
    return status;
}
